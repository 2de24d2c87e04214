#include "shell/program_state.h"

#include <utility>

#include "text/gbk.h"

ProgramState::ProgramState(std::unique_ptr<media::PlayerEngine> player_engine)
    : player(std::move(player_engine)), channel_id("-10"), channel_mode("豆瓣精选"_gbk) {}
