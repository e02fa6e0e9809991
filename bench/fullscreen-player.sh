#!/bin/sh
# Starts the player in full screen on one movie: the player takes its
# options inside one command-line string, which the harness's word
# splitting cannot pass.   bench/fullscreen-player.sh PLAYER MOVIE
exec "$1" "$2 /cli -fullscreen"
