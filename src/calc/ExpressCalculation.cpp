#include "ExpressCalculation.h"

double ExpressCurrency(double given, double rate, int nominal, bool fromRoubles) {
    if (rate == 0.0)
        return 0.0;
    if (fromRoubles)
        return given * nominal / rate;
    return nominal != 0 ? given * rate / nominal : 0.0;
}

double ExpressMultiple(double given, double value, bool fromProduct) {
    if (value == 0.0)
        return 0.0;
    return fromProduct ? given / value : given * value;
}
