// Linked into the test programs whose code starts decoding helpers: they use the helper of their
// own build (a test program does not lie next to it, as the aquarium does).
#include "decoder/decoder_process.h"

namespace {

const bool HELPER_CHOSEN = (veltamar::useDecoderProgram(DECODER_PROGRAM), true);

}  // namespace
