#include "platform/message_box.h"

#include <cstdio>
#include <utility>

namespace veltamar {

namespace {

void writeToStandardError(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.empty() ? "VeltamarScr" : caption.c_str(), text.c_str());
}

MessageHandler& currentHandler() {
    static MessageHandler handler = writeToStandardError;
    return handler;
}

}  // namespace

void showMessage(const std::string& text, const std::string& caption) { currentHandler()(text, caption); }

MessageHandler setMessageHandler(MessageHandler handler) {
    return std::exchange(currentHandler(), handler ? std::move(handler) : MessageHandler(writeToStandardError));
}

}  // namespace veltamar
