#pragma once

#include "dialogs/information_form.h"
#include "ui/single_instance.h"

// "Order Items": answers the request to order catering or equipment for a meeting.
class OrderForm : public InformationForm {
public:
    OrderForm();
};

using OrderFormInstance = ui::SingleInstance<OrderForm>;
