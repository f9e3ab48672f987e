#pragma once
// The version both command-line tools print for --version and their manual pages name.
#define KALMENO_VERSION "1.1"
