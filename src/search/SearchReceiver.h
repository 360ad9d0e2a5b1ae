#pragma once

class clsDoctor;
class clsDrug;
class clsHealthFactor;
class clsPatient;

// A window that opens the search and takes back the record the user picks. It overrides
// the overload of the kind it searches for; the others ignore a record of another kind.
class SearchReceiver {
public:
    virtual void LoadObjectData(const clsPatient& /*inObjPatient*/) {}
    virtual void LoadObjectData(const clsDoctor& /*inObjDoctor*/) {}
    virtual void LoadObjectData(const clsDrug& /*inObjDrug*/) {}
    virtual void LoadObjectData(const clsHealthFactor& /*inObjHealthFactor*/) {}

protected:
    ~SearchReceiver() = default;
};
