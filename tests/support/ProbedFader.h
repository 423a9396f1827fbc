#pragma once
// A picture fader whose opacity and state the tests can read.

#include "components/picturefader/PictureFader.h"

class ProbedFader : public PictureFader {
public:
    double Opacity() const { return ItsFadeValue; }
    // 0 hidden, 1 fading, 2 opaque.
    Int32 Status() const { return ItsStatus; }
};
