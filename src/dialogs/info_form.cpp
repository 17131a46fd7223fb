#include "dialogs/info_form.h"

InfoForm::InfoForm()
    : InformationForm("InfoForm", "Calendar Info",
                      "Contact && Resource Info shows information about the selected person or resource with "
                      "text and pictures - such as description, location, directions and map, if available. "
                      "Ask your administrator to enable it for your organisation's directory.") {}
