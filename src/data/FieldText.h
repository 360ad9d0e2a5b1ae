#pragma once

#include <QVariant>

class Field;

// A field's value read safely: Null text reads as "", a Null date as 1/1/1900, any other
// Null as 0; present text comes back without leading and trailing blanks.
QVariant FieldText(const Field& field);
