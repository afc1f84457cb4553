// On Windows the registry itself answers; the stand-in's file is not used.
#include "services/RegistryStandIn.h"

#include "services/win32/Registry.h"

namespace quorvane {

bool GetKeyValue(const QString&, const std::int32_t& KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal) {
    std::string value = KeyVal.toStdString();
    bool found = false;
    try {
        found = win32::GetKeyValue(KeyRoot, KeyName.toStdString(), SubKeyRef.toStdString(), value);
    } catch (const win32::RegistryValueError& e) {
        throw RegistryValueError(e.what());
    }
    KeyVal = QString::fromStdString(value);
    return found;
}

}  // namespace quorvane
