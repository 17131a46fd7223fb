#pragma once

#include <memory>

#include "automation/event_binding.h"
#include "directory/availability_check.h"
#include "directory/directory_list.h"
#include "directory/directory_reading.h"
#include "ui/single_instance.h"
#include "ui/widgets.h"

// The People & Resources dialog: the directory in two lists, applied to one appointment.
class PeopleResourcesForm : public automation::EventOwner {
public:
    PeopleResourcesForm();
    ~PeopleResourcesForm() override;

    void InitForm(const automation::Object& recipients);
    // The same from a reading already made: its entries, then the failure that stopped it.
    void InitForm(const DirectoryReading& directory);
    void ShowForm(const automation::Object& appointment);

    void SaveButton_Click();
    void CancelButton_Click();

    DirectoryList& PeopleList() { return people_; }
    DirectoryList& ResourcesList() { return resources_; }
    ui::SearchBox& FindBox() { return findBox_; }
    const ui::Label& Summary() const { return summary_; }
    const automation::Object& AppointmentItem() const { return appointmentItem_.get(); }
    ui::Window& Window() { return *window_; }

private:
    void AppointmentItem_Close();
    void AddRecipients(const class ErrorLabel& on, const automation::Object& recipients);
    void FindBox_Change();
    // The dialog's one piece of idle work: a step of the look-ups while they have any, else a
    // share of the names folded for finding.
    bool IdleStep();
    // Entries were chosen or came into view: the idle work resumes if it had run out.
    void WakeIdle();
    void UpdateSummary();
    // The dialog is done with its appointment: look-ups end, the appointment is let go.
    void Finish();

    std::unique_ptr<ui::Window> window_;
    ui::SearchBox& findBox_;
    DirectoryList people_;
    DirectoryList resources_;
    ui::Label& summary_;
    AvailabilityCheck availability_;
    std::unique_ptr<ui::IdleWork> idleWork_;
    bool idleRunning_ = false;
    bool namesToFold_ = false;
    automation::EventBinding appointmentItem_;
};

using PeopleResourcesFormInstance = ui::SingleInstance<PeopleResourcesForm>;
