// Hands a song's stream to the player at the volume the slider shows. Every song start (radio and
// favourites) goes through it.
#pragma once

#include <string>

class App;

void StartStream(App& app, const std::string& url);
