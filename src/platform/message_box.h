#pragma once

#include <functional>
#include <string>

// The program's failure messages ("Error Find TempPath.", "MAP SIZE ERROR", ...) are modal message
// boxes with an OK button. Code below the window layer reports them through this hook; the
// application installs a handler that shows a real message box, tests install one that records.

namespace veltamar {

using MessageHandler = std::function<void(const std::string& text, const std::string& caption)>;

// Shows a message box with the given text and caption (an empty caption means the application's
// name) and waits for OK.
void showMessage(const std::string& text, const std::string& caption = "");

// Replaces the handler; returns the previous one. The default handler writes to standard error.
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace veltamar
