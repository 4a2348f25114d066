// far2l's face's exports, which far2l looks up by their plain names; for
// the face's entry points and its tests (the host of our own, which also
// speaks the Unicode interface, looks them up as far2l does).
#pragma once

#include "api/far2l_api.hpp"

extern "C" {
void SetStartupInfoW(const far2l_api::PluginStartupInfo* Info);
void GetPluginInfoW(far2l_api::PluginInfo* Info);
HANDLE OpenPluginW(int OpenFrom, far2l_api::INT_PTR Item);
int ConfigureW(int ItemNumber);
int ProcessEditorInputW(const far2l_api::INPUT_RECORD* Rec);
int ProcessEditorEventW(int Event, void* Param);
int GetMinFarVersionW();
}
