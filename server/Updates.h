#pragma once
// Update files of the branch terminals. An update folder holds the bzip2
// archives of the programs ("KV_RALD.bz2", "Mupdater.bz2") and "versions.txt",
// which records the version each archive carries ("MUPDATER=1.0.0.3").
// Served on GET:
//   "/Talvenrode_RAldver.asp"  "RALD=<program>,MUPDATER=<updater>,KV_RALD=<program>",
//                              a version counting only while its archive is
//                              there, "0" otherwise;
//   "/<name>.bz2"              that archive (one path segment; the name is
//                              matched case-insensitively, as terminals ask
//                              for the updater's name as configured).

#include "HqServer.h"

#include <string>

namespace hq {

// The version answer's path.
inline constexpr char kVersionPage[] = "/Talvenrode_RAldver.asp";

// Serves the update folder `dir`; it is read at each request, so a new
// publication is served without a restart.
PageHandler updatePages(const std::string &dir);

// Packs the updater ("Mupdater") and the terminal ("KV_RALD") of the program
// folder `programDir` into `dir` and records the versions their markers
// carry. A program that is missing or carries no marker is left out (and its
// earlier publication, if any, stays). False, with `error`, when nothing
// could be published; `report` lists what was.
bool publishUpdates(const std::string &programDir, const std::string &dir, std::string &report,
                    std::string &error);

} // namespace hq
