#pragma once
// The settings record of the demo terminal (company 9999, store 9999,
// terminal 99, "데모지점") on the built-in defaults, pointed at a server.

#include "core/MyConfig.h"
#include "support/TestServer.h"

inline TMyConfig DemoTerminalConfig(const TestServer &server)
{
    TMyConfig config;
    ApplyConfigDefaults(config);
    config.CompanyCode = QStringLiteral("9999");
    config.StoreCode = QStringLiteral("9999");
    config.PosNo = QStringLiteral("99");
    config.StoreName = QStringLiteral("데모지점");
    config.SIP = server.host();
    config.SPO = QString::number(server.port());
    return config;
}
