#pragma once

// The figures of the main window's express box. They are binary floating point and shown with up to 15
// significant digits, not rounded to kopecks, as the box has always shown them; the exact figures for a filing
// come from Conversion.

// A currency amount to roubles (or back) at `rate` roubles per `nominal` units. A rate of 0 gives 0, and so
// does a rate without its nominal towards roubles, rather than an infinity.
double ExpressCurrency(double given, double rate, int nominal, bool fromRoubles);
// A multiple of `value` (the MROT, the refinancing rate) to its product (or back); a value of 0 gives 0.
double ExpressMultiple(double given, double value, bool fromProduct);
