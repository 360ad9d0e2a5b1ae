#pragma once

// The shared routines every window uses to read and write records.
#include "AppDatabase.h"
#include "CascadeDeletes.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Messages.h"
#include "TextRoutines.h"
