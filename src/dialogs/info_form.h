#pragma once

#include "dialogs/information_form.h"
#include "ui/single_instance.h"

// "Calendar Info": what the contact and resource information feature offers.
class InfoForm : public InformationForm {
public:
    InfoForm();
};

using InfoFormInstance = ui::SingleInstance<InfoForm>;
