#pragma once
// The error the old runtime raised: a number and a description. Procedures that the
// callers expect to "raise to the caller" throw it; error traps catch it.
#include <QString>
#include <exception>
#include <string>

class VbError : public std::exception {
public:
    VbError(int number, QString description)
        : m_number(number), m_description(std::move(description)),
          m_what(m_description.toStdString()) {}
    // With the runtime's source text (the program and module that raised it).
    VbError(int number, QString description, QString source) : VbError(number, std::move(description)) {
        m_source = std::move(source);
    }
    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // The numbers the runtime gave the errors we raise ourselves.
    static constexpr int Overflow = 6;
    static constexpr int OutOfMemory = 7;
    static constexpr int SubscriptOutOfRange = 9;
    static constexpr int FileNotFound = 53;
    static constexpr int FileAlreadyOpen = 55;
    static constexpr int DiskFull = 61;
    static constexpr int PermissionDenied = 70;
    static constexpr int PathFileAccess = 75;
    static constexpr int PathNotFound = 76;

private:
    int m_number;
    QString m_description;
    std::string m_what;
    QString m_source;
};
