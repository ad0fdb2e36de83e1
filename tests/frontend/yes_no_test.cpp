// yes_no_test.cpp -- the retry dialog: the choice, its sounds, and what it draws.
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <unistd.h>
#include <sys/stat.h>
#include "frontend/yes_no.h"
#include "frontend/yes_no_paso.h"
#include "front_sonido.h"
#include "gfx/gfx.h"
#include "shell/cierre.h"
#include "shell/config.h"
#include "shell/sonido.h"
#include "support/vbtest.h"

namespace {

void suelta_teclas() {
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_ENTER] = 0;
}

// Runs one pass of the dialog's keys with these keys down.
void pasada(DialogoSiNo *d, std::initializer_list<int> down) {
    suelta_teclas();
    for (int k : down)
        key[k] = 1;
    yes_no_teclas(d);
    suelta_teclas();
}

// A picture of one colour, saved where the dialog loads it.
void guarda(const char *path, int w, int h, int color) {
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, color);
    save_bitmap(path, b, NULL);
    destroy_bitmap(b);
}

// A scratch working directory with (some of) the dialog's pictures, and a memory "screen".
struct Escena {
    BITMAP *room, *marco, *frame, *vac, *lle;
    int fondo, panel, sel, unsel;
    std::string dir;
    char previo[4096];
    Escena(bool con_panel, bool con_botones) {
        vbtest_init(16);
        GFX_init();
        GFX_noscanlines();
        if (!screen) screen = create_bitmap(512, 384);
        fondo = makecol(0, 0, 200);
        panel = makecol(200, 200, 0);
        sel = makecol(0, 255, 0);
        unsel = makecol(255, 0, 0);
        char tmpl[] = "/tmp/vb_yesno_XXXXXX";
        dir = mkdtemp(tmpl);
        if (!getcwd(previo, sizeof previo)) ADD_FAILURE();
        if (chdir(dir.c_str()) != 0) ADD_FAILURE();
        mkdir("resources", 0755);
        if (con_panel) guarda("resources/GUI_sure.pcx", 144, 48, panel);
        if (con_botones) {
            guarda("resources/BUT_sel.pcx", 32, 24, sel);
            guarda("resources/BUT_unsel.pcx", 32, 24, unsel);
        }
        room = create_bitmap(240, 144);
        marco = create_bitmap(256, 192);
        frame = create_bitmap(256, 192);
        vac = create_bitmap(128, 16);
        lle = create_bitmap(128, 16);
        clear_to_color(room, fondo); // the room covers the panel's place
        clear_to_color(marco, fondo);
        clear_to_color(frame, fondo);
        clear_to_color(vac, 0);
        clear_to_color(lle, 0);
    }
    ~Escena() {
        if (chdir(previo) != 0) ADD_FAILURE();
        std::string cmd = "rm -rf " + dir;
        if (system(cmd.c_str()) != 0) ADD_FAILURE();
        destroy_bitmap(room);
        destroy_bitmap(marco);
        destroy_bitmap(frame);
        destroy_bitmap(vac);
        destroy_bitmap(lle);
    }
    int corre() { return yes_no(room, marco, frame, vac, lle, 255, 1, 7, 5); }
};

// Presses the keys in turn from another thread, each held a while, as a player would.
std::thread jugador(std::vector<int> keys) {
    return std::thread([keys] {
        for (int k : keys) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            key[k] = 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            if (k != KEY_ENTER) key[k] = 0;
        }
    });
}

} // namespace

TEST(YesNo, NoIsPreselectedAndLeftRightMoveIt) {
    vbtest_init(16);
    DialogoSiNo d = {0, 0};
    pasada(&d, {KEY_ENTER});
    EXPECT_EQ(d.seleccion, 0);
    EXPECT_TRUE(d.hecho);

    d = {0, 0};
    pasada(&d, {KEY_LEFT});
    pasada(&d, {KEY_LEFT}); // held: nothing more
    EXPECT_EQ(d.seleccion, 1);
    EXPECT_FALSE(d.hecho);
    pasada(&d, {KEY_ENTER});
    EXPECT_EQ(d.seleccion, 1);

    d = {0, 0};
    pasada(&d, {KEY_LEFT});
    pasada(&d, {KEY_RIGHT});
    pasada(&d, {KEY_ENTER});
    EXPECT_EQ(d.seleccion, 0);

    // An arrow in the same pass as Enter still counts.
    d = {0, 0};
    pasada(&d, {KEY_LEFT, KEY_ENTER});
    EXPECT_EQ(d.seleccion, 1);
    EXPECT_TRUE(d.hecho);
}

TEST(YesNo, EachChangeOfSelectionRingsOnceAndSilenceWhenSoundIsOff) {
    vbtest_init(16);
    if (!front_carga_sonidos()) GTEST_SKIP() << "the sound service cannot load a sample here";
    CFG_soundon = 1;
    SND_reset_counts();
    DialogoSiNo d = {0, 0};
    pasada(&d, {KEY_LEFT});
    pasada(&d, {KEY_LEFT});
    pasada(&d, {KEY_RIGHT});
    pasada(&d, {KEY_RIGHT});
    EXPECT_EQ(SND_counts.plays, 2);
    EXPECT_EQ(SND_counts.last_played, s_ting);
    pasada(&d, {KEY_LEFT, KEY_RIGHT}); // both held: flips there and back, two sounds
    EXPECT_EQ(SND_counts.plays, 4);
    EXPECT_EQ(d.seleccion, 0);

    CFG_soundon = 0;
    SND_reset_counts();
    pasada(&d, {KEY_LEFT});
    EXPECT_EQ(d.seleccion, 1);
    EXPECT_EQ(SND_counts.plays, 0);
    CFG_soundon = 1;
}

TEST(YesNo, EnterAtOnceAnswersNoWithTheNoButtonLitAndGoAndBackSounds) {
    Escena e(true, true);
    bool sound = front_carga_sonidos();
    SND_reset_counts();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(e.corre(), 0);
    suelta_teclas();
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
    bool sound = front_carga_sonidos();
    SND_reset_counts();
    std::thread t = jugador({KEY_LEFT, KEY_ENTER});
    EXPECT_EQ(e.corre(), 1);
    t.join();
    suelta_teclas();
    EXPECT_EQ(getpixel(e.frame, 73, 93), e.sel);
    EXPECT_EQ(getpixel(e.frame, 155, 93), e.unsel);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 3); // go, ting, back
    }

    SND_reset_counts();
    t = jugador({KEY_LEFT, KEY_RIGHT, KEY_ENTER});
    EXPECT_EQ(e.corre(), 0);
    t.join();
    suelta_teclas();
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 4); // go, ting, ting, back
    }
}

TEST(YesNo, MissingPicturesAreNotDrawnAndWithNoneTheAnswerIsNoAtOnce) {
    {
        Escena e(false, true); // no panel: the buttons still show, the room stays under it
        key[KEY_ENTER] = 1;
        EXPECT_EQ(e.corre(), 0);
        suelta_teclas();
        EXPECT_EQ(getpixel(e.frame, 57, 73), e.fondo);
        EXPECT_EQ(getpixel(e.frame, 155, 93), e.sel);
    }
    {
        Escena e(false, false);
        // Nobody presses Enter; a guard presses it late so a wrong dialog cannot hang the run.
        std::atomic<bool> returned{false}, guard_pressed{false};
        std::thread guard([&] {
            for (int i = 0; i < 300 && !returned; i++)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!returned) {
                guard_pressed = true;
                key[KEY_ENTER] = 1;
            }
        });
        EXPECT_EQ(e.corre(), 0);
        returned = true;
        guard.join();
        suelta_teclas();
        EXPECT_FALSE(guard_pressed);
        EXPECT_EQ(getpixel(e.frame, 57, 73), e.fondo);
    }
}

TEST(YesNo, ClosingTheWindowEndsTheDialogWithNo) {
    Escena e(true, true);
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
