// Tuning the radio: the channel list, the channel-info request and the next-song button.
#pragma once

#include <string>

class App;

// The channel id that the channel list's item `index` tunes; empty for a separator or an index
// outside the list.
std::string ChannelIdOfItem(int index);

// Asks the service for the name and intro of `channel_id`.
void RequestChannelInfo(App& app);
// The channel list's item-selected event.
void OnChannelSelected(App& app);
// Click on 下一曲.
void OnNextSong(App& app);
