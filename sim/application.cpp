#include "application.h"

#include <algorithm>

#include "assistant.h"
#include "explorer.h"
#include "folder.h"
#include "inspector.h"
#include "item.h"
#include "namespace.h"
#include "outlook_template.h"
#include "windows.h"

namespace sim {
namespace {

constexpr int32_t STG_E_FILENOTFOUND = static_cast<int32_t>(0x80030002u);

automation::Error cannotOpen(const std::string& path) {
    return automation::Error(STG_E_FILENOTFOUND,
                             "Cannot open file: " + path +
                                 ". The file may not exist, you may not have permission to open it, or it may be "
                                 "open in another program. Right-click the folder that contains the file, and "
                                 "then click Properties to check your permissions for the folder.");
}

}  // namespace

Application::Application(Context& session)
    : SimObject(session, "Application"),
      nameSpace_(make<NameSpace>(session)),
      explorers_(make<Explorers>(session)),
      inspectors_(make<Inspectors>(session)),
      assistant_(make<Assistant>(session)) {
    property("Class", [](Args&) { return Value(int32_t{0}); });
    property("Name", [](Args&) { return Value("Outlook"); });
    property("Version", [this](Args&) { return Value(context().version); });
    method("GetNamespace", [this](Args& args) {
        if (required(args, 0).toString() != "MAPI") throw fail::invalidArgument();
        return objectValue(nameSpace_);
    });
    property("Session", [this](Args&) { return objectValue(nameSpace_); });
    property("Explorers", [this](Args&) { return objectValue(explorers_); });
    property("Inspectors", [this](Args&) { return objectValue(inspectors_); });
    property("ActiveExplorer", [this](Args&) { return objectValue(explorers_->active()); });
    property("ActiveInspector", [this](Args&) { return objectValue(inspectors_->active()); });
    property("Assistant", [this](Args&) { return objectValue(assistant_); });
    method("CreateItem", [this](Args& args) { return createItem(required(args, 0).toInt32()); });
    method("CreateItemFromTemplate", [this](Args& args) { return createItemFromTemplate(args); });
    offerEvents(automation::EventSet::Application);
    answerInterface(automation::Interface::OutlookApplication);
}

Value Application::createItem(int32_t type) {
    if (type == 0) return objectValue(make<Item>(context(), ItemKind::Mail, "IPM.Note"));
    if (type == 1) return objectValue(make<Item>(context(), ItemKind::Appointment, "IPM.Appointment"));
    throw fail::invalidArgument();
}

Value Application::createItemFromTemplate(Args& args) {
    std::string path = required(args, 0).toString();
    Value target = optional(args, 1, nothing());
    auto folder = objectOf<Folder>(target);
    if (target.toObject() && !folder) throw automation::errors::typeMismatch();
    std::string localPath = path;
    std::replace(localPath.begin(), localPath.end(), '\\', '/');
    msgfile::Template read;
    try {
        read = msgfile::readTemplate(localPath);
    } catch (const std::exception&) {
        throw cannotOpen(path);
    }
    auto item = make<Item>(context(), ItemKind::Appointment, read.messageClass);
    item->setSubject(read.subject);
    item->setHome(folder, false);
    return objectValue(item);
}

bool Application::fireItemSend(Item& item) {
    Args args{Value(item.object())};
    return fireCancellable("ItemSend", std::move(args));
}

}  // namespace sim
