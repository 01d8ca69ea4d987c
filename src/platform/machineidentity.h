#pragma once
// Identity of this computer: a stable "volume serial" and the local IPv4 addresses.
// The serial is derived from /etc/machine-id and must never change for a machine: remembered
// logins and the first-login marker are bound to it.
#include <QString>
#include <QStringList>

#include <functional>

namespace machineidentity {

// The value used when the machine has no identity to read.
inline constexpr qint32 kFallbackSerial = 1000000000;

// The serial of a machine-id text (32 hex digits, surrounding white space ignored): the four
// 32-bit words of the 128-bit id XORed, as a signed number. 0 for a text that is no machine id.
qint32 SerialFromMachineId(const QString& text);

// The serial of this machine: from the machine-id file, or kFallbackSerial when it is missing,
// unreadable or gives 0.
qint32 VolumeSerial();

// For each network adapter in the system's order (loopback left out), the text of its first IPv4
// address, or the empty text when it has none.
QStringList AdapterAddresses();

// Tests replace the sources; an empty function restores the real one.
void SetMachineIdPath(const QString& path);  // empty: /etc/machine-id
void SetAdapterSource(std::function<QStringList()> source);

}  // namespace machineidentity
