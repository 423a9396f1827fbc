#pragma once
// Numbers and clocks.

#include "framework/Types.h"

// 0 <= x < 1 from one generator that the layer seeds from the system once.
double Rnd();

double Floor(double x);
double Abs(double x);
Int32 Abs(Int32 x);
double Pow(double base, double exponent);
double Max(double a, double b);
Int32 Max(Int32 a, Int32 b);

// Microseconds on a steady clock since an arbitrary start.
double Microseconds();
