#include <stdexcept>

#include "addin_host.h"
#include "host/connect.h"

namespace {

class NativeAddin : public AddinHost {
public:
    void OnConnection(const automation::Object& application, Connect::ConnectMode mode) override {
        // Outlook's COM add-in object makes the same conversion before it connects.
        addin_.OnConnection(application.as(automation::Interface::OutlookApplication), mode);
    }
    void OnStartupComplete() override { addin_.OnStartupComplete(); }
    void OnBeginShutdown() override { addin_.OnBeginShutdown(); }
    void OnDisconnection(DisconnectMode) override { addin_.OnDisconnection(); }
    std::string GetCustomUI(const std::string& ribbonId) override {
        return addin_.IRibbonExtensibility_GetCustomUI(ribbonId);
    }
    void RibbonCallback(const std::string& name) override {
        if (name == "OnLoad") return addin_.OnLoad(automation::Object());
        if (name == "OnInviteButton") return addin_.OnInviteButton(automation::Object());
        if (name == "OnOrderButton") return addin_.OnOrderButton(automation::Object());
        throw std::invalid_argument("no ribbon callback " + name);
    }

private:
    Connect addin_;
};

}  // namespace

std::unique_ptr<AddinHost> MakeNativeAddin() { return std::make_unique<NativeAddin>(); }
