#pragma once
// The login window's hidden labels, readable without the window. Data only.
#include "platform/statereset.h"

#include <QString>

struct LoginWindowLabels {
    // The remembered token of the member chosen from the list; emptied by every change of the
    // password box, so a typed password replaces it.
    static inline QString labSavePaw;
    // The address of the service notice page that frmSysInfo shows; the login fills it.
    static inline QString labSysInfoURL;

    // The initial values (registered below).
    static void resetLabels() {
        labSavePaw.clear();
        labSysInfoURL.clear();
    }
};
inline const bool loginWindowLabelsRegistered = RegisterStateReset(&LoginWindowLabels::resetLabels);
using frmLoginLabels = LoginWindowLabels;  // 登录 login window
