#include "log/log.h"

#include "log/main_form.h"
#include "platform/platform.h"

void LogError(const std::string& message) {
    std::string line = platform::services().timeOfDayText() + ": " + message;
    ui::ListBox& list = MainFormInstance::Get().ErrorList();
    list.addItem(line);
    if (list.count() > MainForm::MaxLines) list.removeItem(0);
}

void LogTrace(const std::string& message) { LogError(message); }
