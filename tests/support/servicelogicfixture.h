#pragma once
// The service's logic over a member store in a fresh folder, with the demo member in it. open()
// again is a restart over the same folder.
#include "emulator/servicelogic.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace testsupport {

class ServiceLogicTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    void open() {
        logic.reset();
        store = std::make_unique<emu::MemberStore>(dir.path());
        logic = std::make_unique<emu::ServiceLogic>(*store, QStringLiteral("sitehost.test"));
        logic->ensureDemoMember();
    }
    emu::Member& demo() { return *store->find(emu::ServiceLogic::Demo().name); }
    QStringList credentials() { return {demo().name, demo().digest, demo().prefix}; }

    QTemporaryDir dir;
    std::unique_ptr<emu::MemberStore> store;
    std::unique_ptr<emu::ServiceLogic> logic;
};

}  // namespace testsupport
