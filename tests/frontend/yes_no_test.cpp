// yes_no_test.cpp -- the retry dialog: the choice, its sounds, and what it draws.
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>
#include "frontend/yes_no.h"
#include "frontend/yes_no_paso.h"
#include "front_sonido.h"
#include "gfx/gfx.h"
#include "shell/cierre.h"
#include "shell/config.h"
#include "shell/sonido.h"
#include "support/vbtest.h"

// Runs one pass of the dialog's keys with these keys down.
static void pasada(DialogoSiNo *d, std::initializer_list<int> down) {
    for (int k : down)
        key[k] = 1;
    yes_no_teclas(d);
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_ENTER] = 0;
}

// Holds each key in turn from another thread, as a player would while the dialog loops.
static std::thread jugador(std::vector<int> keys) {
    return std::thread([keys] {
        for (int k : keys) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            key[k] = 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            key[k] = 0;
        }
    });
}

// The game frame (all `fondo`) and, in a scratch working directory, the dialog's pictures in
// flat colours; the dialog presents into a memory "screen".
struct Escena {
    BITMAP *room, *frame, *bar;
    int fondo, panel, sel, unsel;
    char dir[32] = "/tmp/vb_yesno_XXXXXX", previo[4096];

    Escena(bool con_panel, bool con_botones) {
        vbtest_init(16);
        GFX_init();
        GFX_noscanlines();
        if (!screen) screen = create_bitmap(512, 384);
        fondo = makecol(0, 0, 200), panel = makecol(200, 200, 0);
        sel = makecol(0, 255, 0), unsel = makecol(255, 0, 0);
        if (!getcwd(previo, sizeof previo) || !mkdtemp(dir) || chdir(dir) != 0) ADD_FAILURE();
        mkdir("resources", 0755);
        if (con_panel) guarda("resources/GUI_sure.pcx", 144, 48, panel);
        if (con_botones) guarda("resources/BUT_sel.pcx", 32, 24, sel);
        if (con_botones) guarda("resources/BUT_unsel.pcx", 32, 24, unsel);
        room = create_bitmap(240, 144), frame = create_bitmap(256, 192);
        bar = create_bitmap(128, 16);
        clear_to_color(room, fondo);
        clear_to_color(frame, fondo);
        clear_to_color(bar, 0);
    }
    ~Escena() {
        if (chdir(previo) != 0 || system((std::string("rm -rf ") + dir).c_str()) != 0)
            ADD_FAILURE();
        destroy_bitmap(room), destroy_bitmap(frame), destroy_bitmap(bar);
    }
    static void guarda(const char *path, int w, int h, int color) {
        BITMAP *b = create_bitmap(w, h);
        clear_to_color(b, color);
        save_bitmap(path, b, NULL);
        destroy_bitmap(b);
    }
    int corre() { return yes_no(room, frame, frame, bar, bar, 255, 1, 7, 5); }
};

TEST(YesNo, NoIsPreselectedLeftPicksYesRightPicksNoAndEachChangeRingsOnce) {
    vbtest_init(16);
    bool sound = front_carga_sonidos();
    SND_reset_counts();
    DialogoSiNo d = {0, 0};
    pasada(&d, {KEY_RIGHT}); // already "No": no change, no sound
    pasada(&d, {KEY_LEFT});
    pasada(&d, {KEY_LEFT}); // held: nothing more
    EXPECT_EQ(d.seleccion, 1);
    pasada(&d, {KEY_RIGHT});
    EXPECT_EQ(d.seleccion, 0);
    EXPECT_FALSE(d.hecho);
    pasada(&d, {KEY_LEFT, KEY_RIGHT}); // both held: there and back, two sounds
    EXPECT_EQ(d.seleccion, 0);
    pasada(&d, {KEY_LEFT, KEY_ENTER}); // an arrow in the pass of Enter still counts
    EXPECT_EQ(d.seleccion, 1);
    EXPECT_TRUE(d.hecho);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 5);
        EXPECT_EQ(SND_counts.last_played, s_ting);
    }
    CFG_soundon = 0;
    SND_reset_counts();
    pasada(&d, {KEY_RIGHT});
    EXPECT_EQ(d.seleccion, 0);
    EXPECT_EQ(SND_counts.plays, 0);
    CFG_soundon = 1;
}

TEST(YesNo, EnterAtOnceAnswersNoShowingTheNoButtonLitWithGoAndBackSounds) {
    Escena e(true, true);
    bool sound = front_carga_sonidos();
    SND_reset_counts();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(e.corre(), 0);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(getpixel(e.frame, 57, 73), e.panel);
    EXPECT_EQ(getpixel(e.frame, 73, 93), e.unsel);  // "Yes"
    EXPECT_EQ(getpixel(e.frame, 155, 93), e.sel);   // "No"
    EXPECT_EQ(getpixel(e.frame, 57, 130), e.fondo); // below the panel: the game frame
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 2);
        EXPECT_EQ(SND_counts.last_played, s_back);
    }
}

TEST(YesNo, LeftThenEnterAnswersYesAndLeftRightEnterAnswersNo) {
    Escena e(true, true);
    std::thread t = jugador({KEY_LEFT, KEY_ENTER});
    EXPECT_EQ(e.corre(), 1);
    t.join();
    EXPECT_EQ(getpixel(e.frame, 73, 93), e.sel);
    t = jugador({KEY_LEFT, KEY_RIGHT, KEY_ENTER});
    EXPECT_EQ(e.corre(), 0);
    t.join();
}

TEST(YesNo, MissingPicturesAreLeftOutAndWithNoneOrAClosingWindowTheAnswerIsNo) {
    {
        Escena e(false, true); // no panel: the room stays under it, the buttons still show
        key[KEY_ENTER] = 1;
        EXPECT_EQ(e.corre(), 0);
        key[KEY_ENTER] = 0;
        EXPECT_EQ(getpixel(e.frame, 57, 73), e.fondo);
        EXPECT_EQ(getpixel(e.frame, 155, 93), e.sel);
    }
    {
        Escena e(false, false); // nothing to draw: "No" without waiting for Enter
        std::atomic<bool> returned{false}, rescued{false};
        std::thread guard([&] { // presses Enter late, so a wrong dialog cannot hang the run
            for (int i = 0; i < 300 && !returned; i++)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!returned) rescued = true, key[KEY_ENTER] = 1;
        });
        EXPECT_EQ(e.corre(), 0);
        returned = true;
        guard.join();
        key[KEY_ENTER] = 0;
        EXPECT_FALSE(rescued);
    }
    {
        Escena e(true, true); // "Yes" chosen, then the window's close button
        std::thread t([] {
            key[KEY_LEFT] = 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            key[KEY_LEFT] = 0;
            close_button_pressed = -1;
        });
        EXPECT_EQ(e.corre(), 0);
        t.join();
        close_button_pressed = 0;
    }
}
