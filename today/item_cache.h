#pragma once
// The item's cached data (g_entries and what BuildOccurrences fills) and when it is stale: it is
// built from the data file's bytes and today's date, and stays valid while both stay the same.

// Reads the data file and today's date; when either differs from what the cache was built from,
// rebuilds the cache from them and returns true. A file whose stamp (see DataFileStamp) is
// unchanged is not read, but at least once a minute; a file read unchanged costs one read into a
// buffer kept between calls and one comparison of bytes: nothing is allocated or recomputed. A
// file another process holds for a moment leaves the cache as it is until the next refresh.
bool RefreshItemCache();

// Rebuilds the cache whatever it was built from (the item window is created).
void RebuildItemCache();

// How many times the cache has been built since the library was loaded: what was derived from the
// occurrences (by their index) stays valid while this number stays the same.
unsigned ItemCacheBuilds();
