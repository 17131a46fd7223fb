#include "dialogs/order_form.h"

OrderForm::OrderForm()
    : InformationForm("OrderForm", "Order Items",
                      "Ordering items for a meeting - catering, equipment or services - is not set up for your "
                      "organisation yet. Please add your order to the meeting's notes or contact your facilities "
                      "team.") {}
