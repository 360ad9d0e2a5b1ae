#pragma once

// Field type numbers and option values as the rest of the program knows them.
enum DaoType : int {
    dbBoolean = 1,
    dbInteger = 3,
    dbLong = 4,
    dbDouble = 7,
    dbDate = 8,
    dbText = 10,
    dbMemo = 12,
};

enum DaoOption : int {
    dbOpenTable = 1,
    dbOpenDynaset = 2,
    dbOpenSnapshot = 4,
    dbOpenForwardOnly = 8,
    dbFailOnError = 128,
};

// Storage size in bytes of the fixed-size types; Text reports its width instead.
int DaoFixedSize(int daoType);
