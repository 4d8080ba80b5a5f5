#pragma once

// Shared by the tests of the remote modules: a seeded demo database with the
// modules registered, and the real ore-server executable as a process.

#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/Commands.h"
#include "tests/srv/StorageTestUtil.h"
#include "tests/support/ServerProcess.h"

#include <gtest/gtest.h>

// A demo database per engine with every remote module registered on it.
class SeededModulesTest : public SeededDbTest {
protected:
    void SetUp() override {
        SeededDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        RegisterModules(m_registry, UrlString());
    }

    TServerReply Call(const QString& server, const QString& method, const QVariantList& args) {
        TCallContext context;
        return m_registry.Dispatch(context, {server, method, args});
    }

    TRemoteModuleRegistry m_registry;
};
