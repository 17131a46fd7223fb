#include "win32/registration_data.h"

#include "win32/product_version.h"

namespace win32::registration {
namespace {

// The standard marshaller of Automation interfaces.
constexpr const char* OleAutomationProxy = "{00020424-0000-0000-C000-000000000046}";
constexpr const char* TypeLibVersion = "1.0";

std::string folderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace

Plan plan(const Ids& ids, const std::string& dllPath, Bitness bitness) {
    const std::string classes = "Software\\Classes\\";
    const std::string clsidKey = classes + "CLSID\\" + ids.clsid;
    const std::string progIdKey = classes + ProgId;
    const std::string typeLibKey = classes + "TypeLib\\" + ids.libid;
    const std::string typeLibVersionKey = typeLibKey + "\\" + TypeLibVersion;
    const std::string interfaceKey = classes + "Interface\\" + ids.connectIid;
    const std::string addinKey = std::string("Software\\Microsoft\\Office\\Outlook\\Addins\\") + ProgId;
    const std::string vendorKey = "Software\\Vesk";
    const std::string productKey = vendorKey + "\\Quorvel";
    const char* platform = bitness == Bitness::Win64 ? "win64" : "win32";
    const char* otherPlatform = bitness == Bitness::Win64 ? "win32" : "win64";
    const std::string platformsKey = typeLibVersionKey + "\\0\\";

    Plan result;
    result.written = {
        {clsidKey, "", std::string(ProgId)},
        {clsidKey + "\\InprocServer32", "", dllPath},
        {clsidKey + "\\InprocServer32", "ThreadingModel", std::string("Apartment")},
        {clsidKey + "\\ProgID", "", std::string(ProgId)},
        {clsidKey + "\\TypeLib", "", ids.libid},
        {progIdKey, "", std::string(ProgId)},
        {progIdKey + "\\CLSID", "", ids.clsid},
        {typeLibVersionKey, "", std::string("Quorvel Addin")},
        {platformsKey + platform, "", dllPath},
        {typeLibVersionKey + "\\FLAGS", "", std::string("0")},
        {typeLibVersionKey + "\\HELPDIR", "", folderOf(dllPath)},
        {interfaceKey, "", std::string("_Connect")},
        {interfaceKey + "\\ProxyStubClsid32", "", std::string(OleAutomationProxy)},
        {interfaceKey + "\\TypeLib", "", ids.libid},
        {interfaceKey + "\\TypeLib", "Version", std::string(TypeLibVersion)},
        {addinKey, "FriendlyName", std::string("Quorvel")},
        {addinKey, "Description", std::string("Quorvel Addin")},
        {addinKey, "LoadBehavior", uint32_t{3}},
        {productKey, "Version", std::string(QUORVEL_VERSION_TEXT)},
    };
    // The class and interface keys are redirected per registry view on 64-bit Windows; the type
    // library, the ProgID and Office's add-in list are seen alike by both bitnesses.
    result.serverKey = clsidKey + "\\InprocServer32";
    result.classKeys = {clsidKey, interfaceKey};
    result.ownedKeys = {platformsKey + platform};
    result.otherBuildKey = platformsKey + otherPlatform;
    result.sharedKeys = {progIdKey, typeLibKey, addinKey};
    result.sharedValues = {{productKey, "Version"}};
    result.keysRemovedWhenEmpty = {productKey, vendorKey};
    return result;
}

}  // namespace win32::registration
