#include "shell/program_state.h"

#include "text/gbk.h"

ProgramState::ProgramState() : channel_id("-10"), channel_mode("豆瓣精选"_gbk) {}
