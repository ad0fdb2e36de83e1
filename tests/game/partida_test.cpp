// partida_test.cpp -- rooms in sequence and their levers, retries, a whole game through juego.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <sys/stat.h>
#include <string>
#include <vector>
#include "level/sanitize.h"
#include "shell/motor.h"
#include "platform/leaving.h"
#include "platform/temporizadores.h"
#include "support/sala.h"

// The values as ints, to compare several in one check.
template <class... T> static std::vector<int> vals(T... v) {
    return {(int)v...};
}

static int cards, confirms;
static std::string at_cards; // energy and the first enemy's x at each level card

// Where a game stopped: (room number, game done, lost).
static std::vector<int> ending() {
    return vals(GAME_sublevel, partida.game_done, PARTIDA_lost(&partida));
}

// Retries (the sixth confirmed ends play, each keeps energy and items), levers, energy, Escape, a
// bad room number and unplayable rooms, passed over, decide which room comes next. No damage: an
// enemy costs no energy (the hurt still sounds); endless retries: none is used up; each marks the
// game assisted, as a slower speed does, and a new game has none of them.
TEST(Rooms, RetriesLeversEnergyEscapeBadOrUnplayableRoomsNoDamageAndEndlessRetries) {
    confirms = cards = 0, at_cards.clear(); // as new on every repeat
    sala_draw(2, {{7, "...P..........."}});
    sala_pickup(partida.energy_items, 0, 1, 3, 7);
    sala_enemy(0, 8, 2, 12, 2, 1, 3);
    partida.player.energy = 100;
    PartidaLoop loop = {};
    loop.card = [] {
        at_cards += std::to_string(partida.player.energy) + "@" +
                    std::to_string(partida.enemies[0].x) + " ";
    };
    loop.confirm_retry = [] { return ++confirms; }; // asked after every frame, as with retry held
    EXPECT_EQ(PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop), 1);
    EXPECT_EQ(at_cards, "100@128 125@128 125@128 125@128 125@128 125@128 ");
    EXPECT_EQ(ending(), vals(2, 1, 1)) << "the retries spent: GAME OVER";
    sala_draw(25, {{7, "...P..........."}});
    sala_pickup(partida.levers, 3, 24, 3, 7);
    loop = {};
    EXPECT_EQ(PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop), 1);
    EXPECT_EQ(ending(), vals(26, 1, 0)) << "the last lever wins";
    sala_draw(2, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 1, 3, 7);
    sala_pickup(partida.levers, 7, 1, 3, 7);
    sala_pickup(partida.levers, 8, 0, 3, 7); // room 1's
    run(1);
    EXPECT_EQ(vals(GAME_sublevel, partida.room_done, (int)partida.levers[8].active,
                   SFX_counts.requests[SFX_LEVER]),
              vals(4, 1, 1, 2));
    sala_draw(1, {{7, "...P..........."}});
    hold({KEY_ESC, KEY_RIGHT});
    run(1);
    EXPECT_EQ(ending(), vals(1, 1, 0)) << "leaving is no GAME OVER";
    EXPECT_EQ(px(), 50) << "the frame still runs";
    hold({});
    for (int bad : {0, 40}) {
        GAME_sublevel = bad;
        PARTIDA_start_room(&partida, &efectos, &play_level);
        EXPECT_EQ(vals(GAME_sublevel, partida.room), vals(1, 0));
    }
    sala_draw(3, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 2, 3, 7);
    GAME_sublevel = 1;
    loop.card = [] { cards++; };
    loop.playable = [](int room) {
        return LEVEL_room_playable(play_level.rooms, partida.levers, room);
    };
    EXPECT_EQ(PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop), 1);
    EXPECT_EQ(vals(cards, partida.room), vals(1, 2));
    EXPECT_EQ(ending(), vals(26, 1, 0));
    sala_draw(1, {{7, "...P..........."}});
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    PARTIDA_set_rules(&partida, true, false, 100);
    partida.player.energy = 1;
    run(20);
    EXPECT_EQ(vals(partida.player.energy, partida.game_done, SFX_counts.requests[SFX_HURT]),
              vals(1, 0, 20));
    sala_draw(2, {{7, "...P..........."}});
    PARTIDA_set_rules(&partida, false, true, 100);
    confirms = 0;
    loop = {};
    loop.confirm_retry = [] { return (int)(++confirms <= 10); };
    loop.input = [](FrameInput *in) { in->leave = confirms >= 10; };
    PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop);
    EXPECT_EQ(vals(confirms, partida.retries), vals(11, 5));
    const int rules[][5] = {{0, 0, 100, 0, 100}, {1, 0, 100, 1, 100}, {0, 1, 100, 1, 100},
                            {0, 0, 40, 1, 40},   {0, 0, 0, 0, 100},   {0, 0, 101, 0, 100}};
    for (const int *r : rules) {
        PARTIDA_set_rules(&partida, r[0], r[1], r[2]);
        EXPECT_EQ(vals(partida.rules.assisted, partida.rules.speed), vals(r[3], r[4]))
            << r[0] << r[1] << r[2];
    }
    PARTIDA_reset(&partida, &efectos);
    EXPECT_EQ(partida.rules.no_damage + partida.rules.endless_retries + partida.rules.assisted, 0);
    EXPECT_EQ(partida.rules.speed, 100);
}

// Sounds as (sfx, pan) starts and (sfx, -1) stops, in order.
static std::string sounds(const FrameEvents &ev) {
    std::string text;
    for (int i = 0; i < ev.sound_count; i++)
        text += std::to_string(ev.sounds[i].sfx) + "," +
                std::to_string(ev.sounds[i].stop ? -1 : ev.sounds[i].pan) + " ";
    return text;
}

// A frame says what it did: room start, hurts, sounds, items and levers by slot, room end, energy
// out, close button. (That it plays only the records it is given: the ghost's test.)
TEST(FrameStep, SaysWhatHappened) {
    sala_draw(2, {{7, "...P..........."}});
    sala_pickup(partida.energy_items, 4, 1, 3, 7);
    sala_pickup(partida.levers, 6, 1, 6, 7);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    FrameInput right = {};
    right.right = true;
    FrameEvents ev;
    for (int f = 0; f < 30 && !partida.room_done; f++) {
        PARTIDA_frame(&partida, &efectos, &play_level, &right, &ev, nullptr);
        if (f == 0) { // the hurt restarted, the item, at x 50 + 8
            EXPECT_EQ(vals(ev.room_start, ev.damage, ev.items_taken), vals(1, 1, 1 << 4));
            EXPECT_EQ(sounds(ev), "4,-1 4,58 0,58 ");
        }
    }
    EXPECT_EQ(vals(ev.room_start, ev.levers_touched, ev.room_ended, ev.left, ev.energy_out),
              vals(0, 1 << 6, 1, 0, 0));
    sala_draw(1, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 0, 3, 7);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    partida.player.energy = 1;
    FrameInput close = {};
    close.close = true;
    PARTIDA_frame(&partida, &efectos, &play_level, &close, &ev, nullptr);
    EXPECT_TRUE(ev.energy_out && ev.left && ev.room_ended);
    EXPECT_EQ(ending(), vals(2, 1, 1)) << "energy out, on the lever's frame: GAME OVER";
}

// juego on "velba1.vb3" in a scratch directory (with an empty level when asked); its log in *log.
static int juego_in_scratch(bool level, std::string *log) {
    vbtest_enter_scratch();
    if (level) {
        mkdir("maps", 0755);
        static Level empty;
        MAP_create_pictures(&empty);
        empty.flags = MAP_PLAYABLE;
        empty.effect = -1;
        empty.levers[0] = {4, 4, 3, 3}; // the other levers are room 1's
        MAP_write("maps/velba1.vb3", &empty);
        MAP_destroy_pictures(&empty);
    }
    char name[] = "VELBA1.VB3 and the rest";
    int result = juego(name);
    EXPECT_STREQ(name, "velba1.vb3");
    *log = "\n" + vbtest_read("log.txt");
    vbtest_leave_scratch();
    static const Renderer clean = {}; // zero bits throughout, as the renderer's reset leaves it
    EXPECT_TRUE(!play_level.tiles[0] && !play_level.backgrounds[4] &&
                !memcmp(&renderer, &clean, sizeof clean))
        << "play released everything it made";
    return result;
}

// A failed load releases all; a later level's password plays room 25 of level 1 until closed.
TEST(Juego, AFailedLoadReleasesAllAndAPasswordOfALaterLevelPlaysRoom25UntilClosed) {
    vbtest_init(16);
    std::string log;
    EXPECT_EQ(juego_in_scratch(false, &log), 0);
    EXPECT_NE(log.find("\nNo se pudo cargar resources/gotas.pcx\n"), std::string::npos) << log;
    GAME_level = 3;
    GAME_sublevel = 7;
    close_button_pressed = 1; // the card returns at once and the first frame ends play
    contador_60Hz = 2;
    screen = create_bitmap(512, 384);
    EXPECT_EQ(juego_in_scratch(true, &log), 1);
    destroy_bitmap(screen);
    screen = nullptr;
    close_button_pressed = 0;
    EXPECT_EQ(vals(GAME_level, GAME_sublevel), vals(1, 25));
    EXPECT_NE(log.find("\nFase cargada OK\n"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 8), "\n\267FINE\267\n") << "FINE is the last line";
}
