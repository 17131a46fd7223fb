#include "window_printer.h"

#include "display_text.h"

using ui::headless::HeadlessWindow;

namespace {

void PrintList(std::ostream& out, const HeadlessWindow::Control& control) {
    const auto& list = *control.list;
    out << "    " << control.spec.name << " (" << list.count() << "):";
    if (list.count() == 0) out << " (empty)";
    out << "\n";
    for (int index = 0; index < list.count(); ++index) {
        out << "      ";
        if (list.multiSelect()) out << "[" << (list.selected(index) ? 'x' : ' ') << "] ";
        out << list.text(index) << "\n";
    }
}

}  // namespace

void PrintWindow(std::ostream& out, const HeadlessWindow& window) {
    out << "  Window \"" << window.caption() << "\" (" << window.spec().name << ", "
        << (window.isVisible() ? "shown" : "hidden") << ")\n";
    for (const HeadlessWindow::Control& control : window.controls()) {
        switch (control.kind) {
        case HeadlessWindow::Kind::Label:
            out << "    " << control.spec.name << ": " << DisplayText(control.label->text()) << "\n";
            break;
        case HeadlessWindow::Kind::LinkLabel:
            out << "    " << control.spec.name << ": <" << control.label->text() << ">\n";
            break;
        case HeadlessWindow::Kind::Button:
            out << "    " << control.spec.name << ": [" << DisplayText(control.button->caption()) << "]"
                << (control.button->isDefault() ? " default" : "") << (control.button->isCancel() ? " cancel" : "")
                << "\n";
            break;
        case HeadlessWindow::Kind::ListBox:
            PrintList(out, control);
            break;
        case HeadlessWindow::Kind::Picture:
            out << "    " << control.spec.name << ": (picture)\n";
            break;
        case HeadlessWindow::Kind::Separator:
            out << "    ----\n";
            break;
        }
    }
}
