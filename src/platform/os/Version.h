#pragma once
// Program versions. Each of our programs carries a version marker block:
// RALD_VERSION_MARKER("1.0.0.3") at file scope in one source file of the
// program. ReadVersionMarker finds the block by scanning a program file, so
// the version of another program (an updater, a downloaded file) is read
// without running it.

#include <QString>

// Marker layout: 0x01 "RALD-VERSION-MARKER" 0x02 version 0x03.
#define RALD_VERSION_MARKER(version)                                           \
    extern "C" __attribute__((used)) const char rald_version_marker[] =       \
        "\x01" "RALD-VERSION-MARKER" "\x02" version "\x03";

namespace os {

// The version in the marker of file `path`; "0" when the file has no marker
// or cannot be read.
QString ReadVersionMarker(const QString &path);

// ReadVersionMarker of the running program.
QString ProgramVersion();

} // namespace os
