#include "gui/DialogScript.h"

namespace {

DialogScript* current = nullptr;

}  // namespace

DialogScript::DialogScript() : previous_(current) { current = this; }

DialogScript::~DialogScript() { current = previous_; }

DialogScript* DialogScript::Current() { return current; }
