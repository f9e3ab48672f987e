#pragma once
// The Today items listed in the registry under Software\Microsoft\Today\Items: each names its
// library in the value DLL. The screen loads each library, creates its item window, asks it
// periodically whether it must be redrawn, and lays the items out one under the other.
#include <memory>
#include <vector>

#include "todaycmn.h"
#include "windows.h"

struct TodayItem {
  TODAYLISTITEM record;              // the shell's record of the item, handed to the item
  HINSTANCE hLibrary = nullptr;
  PFNCUSTOMOPTIONSDLGPROC pfnOptions = nullptr;
  WCHAR szProblem[100] = {};         // why the item could not be shown, when it could not
  int nTop = 0;                      // where the item (or its problem line) stands
  int nHeight = 0;
};

// Loads every item listed in the registry, in registry order, as children of the Today window.
std::vector<std::unique_ptr<TodayItem>> LoadTodayItems(HWND today);
// Places the items under the date line: an item's height is its cyp, a failed item gets one line.
void LayOutTodayItems(std::vector<std::unique_ptr<TodayItem>>& items, int top, int width);
// Sends each item the refresh query; returns true when the layout must be redone (a height
// changed). Items that answer TRUE are redrawn.
bool RefreshTodayItems(std::vector<std::unique_ptr<TodayItem>>& items);
// Runs the options dialog of the first item that offers one, from the item's own library.
void ShowItemOptions(std::vector<std::unique_ptr<TodayItem>>& items, HWND today);
// Destroys the item windows and unloads the libraries.
void UnloadTodayItems(std::vector<std::unique_ptr<TodayItem>>& items);
