#pragma once

#include <memory>

namespace ui {

// The one instance of a form: created on first use, destroyed by Unload.
template <typename Form>
class SingleInstance {
public:
    static Form& Get() {
        if (!instance()) instance() = std::make_shared<Form>();
        return *instance();
    }
    static bool IsLoaded() { return instance() != nullptr; }
    static void Unload() {
        // Moved out first so the form's unload code sees itself as no longer loaded.
        std::shared_ptr<Form> unloading = std::move(instance());
    }

private:
    // Never destroyed with the process: a form may hold Outlook objects, which must not be released
    // once the process has begun to end.
    static std::shared_ptr<Form>& instance() {
        static std::shared_ptr<Form>& form = *new std::shared_ptr<Form>;
        return form;
    }
};

}  // namespace ui
