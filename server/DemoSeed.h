#pragma once
// The demo data of company 9999 (store 9999, terminal 99): units, partners,
// staff and terminal users, rights, codes, categories, items, notices, the
// configuration rows and the keys of the demo terminals. See README for the
// users' sign-in data and the keys.

#include "Passwords.h"
#include "Store.h"

namespace hq {

// The demo data's version; a store seeded with an older version is seeded again.
// Raise it whenever a seed script changes.
constexpr int kDemoSeedVersion = 19;

// Seeds the demo company when the store holds no demo data of the current
// version (a fresh store, or one seeded by an older server); returns whether it
// seeded. Re-seeding replaces the demo company's master rows.
bool seedDemo(Store &store, HashCost cost = HashCost::Interactive);

} // namespace hq
