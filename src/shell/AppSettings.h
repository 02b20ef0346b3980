#pragma once
// The per-user settings store of the application.

#include <QSettings>

#include <memory>

namespace AppSettings {

constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Vexil";

// A handle on the store (native format, user scope).
inline std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(QLatin1String(kOrganization), QLatin1String(kApplication));
}

}  // namespace AppSettings
