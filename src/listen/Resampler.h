#pragma once

// Changes the sample rate of a stream of mono samples, with a windowed-sinc low-pass so that nothing above
// the new rate's limit folds back into the band as a false tone.

#include <vector>

namespace quavix {

class Resampler final {
public:
    Resampler(int inputRate, int outputRate);

    // Appends to output the samples that the input taken so far makes ready. Output sample n stands for
    // the moment n / outputRate seconds after the stream's first input sample.
    void Process(const float* input, int count, std::vector<float>& output);

    int InputRate() const { return inputRate_; }
    int OutputRate() const { return outputRate_; }

private:
    int inputRate_;
    int outputRate_;
    double step_;                // input samples per output sample
    int halfTaps_;               // input samples each side of an output moment
    std::vector<float> kernel_;  // Phases rows of 2 * halfTaps_ taps
    std::vector<float> pending_; // input not yet used up, starting at halfTaps_ zeros
    double position_;            // where the next output sample lies in pending_
};

} // namespace quavix
