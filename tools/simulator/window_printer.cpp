#include "window_printer.h"

#include "display_text.h"

namespace {

void PrintList(std::ostream& out, const ControlView& list) {
    out << "    " << list.name << " (" << list.entries.size() << "):";
    if (list.entries.empty()) out << " (empty)";
    out << "\n";
    for (const ListEntryView& entry : list.entries) {
        out << "      ";
        if (list.multiSelect) out << "[" << (entry.chosen ? 'x' : ' ') << "] ";
        out << entry.text;
        if (!entry.availability.empty()) out << " (" << entry.availability << ")";
        out << "\n";
    }
}

}  // namespace

void PrintWindow(std::ostream& out, const WindowView& window) {
    out << "  Window \"" << window.caption << "\" (" << window.name << ", " << (window.visible ? "shown" : "hidden")
        << ")\n";
    for (const ControlView& control : window.controls) {
        switch (control.kind) {
        case ControlView::Kind::Label:
            out << "    " << control.name << ": " << DisplayText(control.text) << "\n";
            break;
        case ControlView::Kind::LinkLabel:
            out << "    " << control.name << ": <" << control.text << ">\n";
            break;
        case ControlView::Kind::Button:
            out << "    " << control.name << ": [" << DisplayText(control.text) << "]"
                << (control.isDefault ? " default" : "") << (control.isCancel ? " cancel" : "") << "\n";
            break;
        case ControlView::Kind::ListBox:
            PrintList(out, control);
            break;
        case ControlView::Kind::Picture:
            out << "    " << control.name << ": (picture)\n";
            break;
        case ControlView::Kind::Separator:
            out << "    ----\n";
            break;
        case ControlView::Kind::SearchBox:
            out << "    " << control.name << ": [" << control.text << "_]\n";
            break;
        case ControlView::Kind::Legend:
            out << "    " << control.name << ": (marks: free, tentative, busy, out of office, working elsewhere, "
                   "no information)\n";
            break;
        }
    }
}
