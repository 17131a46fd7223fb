#include "directory_fixture.h"

#include <stdexcept>

using automation::Object;

Object DirectoryTest::AddSettingsItem(const Entries& entries) {
    sim::AppointmentSpec settings;
    settings.subject = "Quorvel_Settings1_";
    settings.organizer = "Erik Lund";
    settings.recipients = entries;
    return outlook.addAppointment(settings);
}

Object DirectoryTest::NewAppointment(const std::string& subject, const Entries& recipients) {
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    item.put("Subject", subject);
    for (const auto& [name, type] : recipients)
        item.get("Recipients").toObject().call("Add", {name}).toObject().put("Type", type);
    return outlook.displayItem(item);
}

std::vector<std::string> DirectoryTest::ListTexts(const std::string& list) {
    std::vector<std::string> texts;
    ui::headless::HeadlessListBox* box = Dialog().listBox(list);
    for (int index = 0; index < box->count(); ++index) texts.push_back(box->text(index));
    return texts;
}

std::vector<std::string> DirectoryTest::Chosen(const std::string& list) {
    std::vector<std::string> texts;
    ui::headless::HeadlessListBox* box = Dialog().listBox(list);
    for (int index = 0; index < box->count(); ++index)
        if (box->selected(index)) texts.push_back(box->text(index));
    return texts;
}

void DirectoryTest::Tick(const std::string& list, const std::string& entry) {
    ui::headless::HeadlessListBox* box = Dialog().listBox(list);
    for (int index = 0; index < box->count(); ++index)
        if (box->text(index) == entry) return box->click(index);
    throw std::invalid_argument("no entry " + entry);
}
