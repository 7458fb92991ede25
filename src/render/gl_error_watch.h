#pragma once

// Every frame ends by asking OpenGL whether anything went wrong. An error is written to the
// standard error stream (the first time, and then every thousandth time) and counted, so a long
// run can be checked for errors without slowing the frame.

namespace veltamar {

// Checks the error flag after a frame; returns the number of errors seen so far.
long checkFrameGlErrors(long frameNumber);

long glErrorsSeen();

}  // namespace veltamar
