#pragma once
// The settings record of the demo terminal (company 9999, store 9999,
// terminal 99, "데모지점", with the demo terminal's key) on the built-in
// defaults, pointed at a server.

#include "core/MyConfig.h"
#include "support/TestServer.h"

// On a server at host:port (the demo programs: a server started by hand).
inline TMyConfig DemoTerminalConfig(const QString &host, const QString &port)
{
    TMyConfig config;
    ApplyConfigDefaults(config);
    config.CompanyCode = QStringLiteral("9999");
    config.StoreCode = QStringLiteral("9999");
    config.PosNo = QStringLiteral("99");
    config.StoreName = QStringLiteral("데모지점");
    config.SIP = host;
    config.SPO = port;
    config.TKY = TestServer::demoKey();
    return config;
}

inline TMyConfig DemoTerminalConfig(const TestServer &server)
{
    return DemoTerminalConfig(server.host(), QString::number(server.port()));
}
