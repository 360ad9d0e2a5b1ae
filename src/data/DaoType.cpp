#include "DaoType.h"

int DaoFixedSize(int daoType)
{
    switch (daoType) {
    case dbBoolean:
        return 1;
    case dbInteger:
        return 2;
    case dbLong:
        return 4;
    case dbDouble:
    case dbDate:
        return 8;
    default:
        return 0;
    }
}
