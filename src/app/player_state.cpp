#include "app/player_state.h"

void PlayerState::attachGraph(const std::shared_ptr<FilterGraph>& graph) {
    MediaControl = MediaPosition = BasicAudio = BasicVideo = graph;
    VideoWindow = graph ? graph->videoWindow() : nullptr;
}
