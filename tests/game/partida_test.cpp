// partida_test.cpp -- rooms in sequence and their levers, retries, a whole game through juego.
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include "level/sanitize.h"
#include "shell/motor.h"
#include "platform/leaving.h"
#include "platform/temporizadores.h"
#include "support/sala.h"

static int cards, confirms;
static std::string at_cards; // energy and the first enemy's x at each level card

// Retries (the sixth confirmed ends play, each keeps energy and items), levers, energy, Escape, a
// bad room number and unplayable rooms, passed over, decide which room comes next.
TEST(Rooms, RetriesLeversEnergyEscapeOutOfRangeRoomsAndRoomsThatCannotBePlayed) {
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
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    hold({});
    EXPECT_EQ(confirms, 6);
    EXPECT_EQ(at_cards, "100@128 125@128 125@128 125@128 125@128 125@128 ");
    EXPECT_EQ(partida.retries, -1);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(GAME_sublevel, 2);

    sala_draw(25, {{7, "...P..........."}});
    sala_pickup(partida.levers, 3, 24, 3, 7);
    loop = {};
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    EXPECT_EQ(GAME_sublevel, 26);
    EXPECT_EQ(partida.game_done, 1);

    sala_draw(2, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 1, 3, 7);
    sala_pickup(partida.levers, 7, 1, 3, 7);
    sala_pickup(partida.levers, 8, 0, 3, 7); // room 1's
    run(1);
    EXPECT_EQ(GAME_sublevel, 4);
    EXPECT_EQ(partida.room_done, 1);
    EXPECT_EQ(partida.levers[8].active, 1);
    EXPECT_EQ(SFX_counts.requests[SFX_LEVER], 2);

    sala_draw(1, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 0, 3, 7);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    partida.player.energy = 1;
    loop = {};
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    EXPECT_EQ(GAME_sublevel, 2);
    EXPECT_EQ(partida.game_done, 1);

    sala_draw(1, {{7, "...P..........."}});
    hold({KEY_ESC, KEY_RIGHT});
    run(1);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(px(), 50) << "the frame still runs";
    hold({});
    for (int bad : {0, 40}) {
        GAME_sublevel = bad;
        PARTIDA_start_room();
        EXPECT_EQ(GAME_sublevel, 1);
        EXPECT_EQ(partida.room, 0);
    }

    sala_draw(3, {{7, "...P..........."}});
    sala_pickup(partida.levers, 0, 2, 3, 7);
    GAME_sublevel = 1;
    cards = 0;
    loop.card = [] { cards++; };
    loop.playable = [](int room) {
        return LEVEL_room_playable(play_level.rooms, partida.levers, room);
    };
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    EXPECT_EQ(cards, 1);
    EXPECT_EQ(partida.room, 2);
    EXPECT_EQ(partida.levers[0].active, 0);
    EXPECT_EQ(GAME_sublevel, 26);
    EXPECT_EQ(partida.game_done, 1);
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

// Expects the log to hold these lines in this order; the end of the last (npos when one is not).
static size_t expect_in_order(const std::string &log, std::initializer_list<std::string> lines) {
    size_t at = 0;
    for (const std::string &text : lines) {
        at = log.find("\n" + text + "\n", at);
        EXPECT_NE(at, std::string::npos) << "missing or out of order: " << text << log;
        if (at == std::string::npos) return at;
        at += text.size() + 1;
    }
    return at;
}

// A failed load releases all; a later level's password plays room 25 of level 1 until closed.
TEST(Juego, AFailedLoadReleasesAllAndAPasswordOfALaterLevelPlaysRoom25UntilClosed) {
    vbtest_init(16);
    std::string log;
    EXPECT_EQ(juego_in_scratch(false, &log), 0);
    expect_in_order(log, {"No se pudo cargar resources/gotas.pcx", "Cargando fase:\nvelba1.vb3"});
    EXPECT_EQ(log.find("Fase cargada OK"), std::string::npos) << "play stops after the name";

    GAME_level = 3;
    GAME_sublevel = 7;
    close_button_pressed = 1; // the card returns at once and the first frame ends play
    contador_60Hz = 2;
    screen = create_bitmap(512, 384);
    EXPECT_EQ(juego_in_scratch(true, &log), 1);
    destroy_bitmap(screen);
    screen = nullptr;
    close_button_pressed = 0;
    EXPECT_EQ(GAME_level, 1);
    EXPECT_EQ(GAME_sublevel, 25);
    EXPECT_EQ(expect_in_order(log, {"Empezamos motor :) ",
                                    "Reservando memoria para buffers gr\xE1"
                                    "ficos",
                                    "Fase cargada OK", "Creando enemigos y plataformas",
                                    "Comenzando el juego 2", "Fin del bucle del juego",
                                    "Destruyendo bitmaps",
                                    "\xB7"
                                    "FINE\xB7"}),
              log.size() - 1);
}
