#pragma once
// One operation of the album windows on the image web service imgser001.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Calls method for the logged-in member (name, credential and server prefix, then args) with the
// window's please-wait panel shown around the call. The reply; none after a failed call, which
// the error convention has reported.
std::optional<QString> CallImageService(const QString& method, const QStringList& args, const std::function<void()>& showWait,
                                        const std::function<void()>& hideWait);
