// pictures_test.cpp -- the built pictures as the game loads them: sizes, mask colour, the parts
// the game prints over, the catalogue's sprites and tiles, the light pictures.
#include <gtest/gtest.h>
#include "contenido.h"
#include "support/vbtest.h"
#include <allegro.h>
#include <math.h>

namespace {

// Loads a picture the way the game does: converted to the screen's depth.
BITMAP *carga(const std::string &path, int depth) {
    vbtest_init(depth);
    set_color_conversion(COLORCONV_TOTAL);
    PALETTE pal;
    return load_pcx(path.c_str(), pal);
}

struct Medida {
    const char *nombre;
    int w, h;
    bool exacta;
};

const Medida RECURSOS[] = {
    {"splashpixelmeet.pcx", 512, 384, true},
    {"mirthwave-logo.pcx", 200, 53, false},
    {"title.pcx", 256, 192, true},
    {"MENU_She.pcx", 256, 657, false},
    {"GUI_sure.pcx", 144, 48, false},
    {"BUT_sel.pcx", 32, 24, false},
    {"BUT_unsel.pcx", 32, 24, false},
    {"ENE_Lle.pcx", 128, 16, false},
    {"ENE_Vac.pcx", 128, 16, false},
    {"clouds_1.pcx", 240, 22, true},
    {"clouds_2.pcx", 240, 22, true},
    {"halo_verde.pcx", 48, 48, true},
    {"anti_halo.pcx", 480, 288, false},
    {"OVERLAY-fila4.pcx", 240, 144, true},
    {"fancy-overlay.pcx", 240, 144, true},
    {"gotas.pcx", 24, 4, false},
    {"moco.pcx", 32, 8, false},
    {"MARCO.PCX", 256, 192, true},
};

int luz(BITMAP *b, int x, int y) {
    int c = getpixel(b, x, y);
    return (getr(c) * 3 + getg(c) * 6 + getb(c)) / 10;
}

bool es_mascara(BITMAP *b, int x, int y) {
    return getpixel(b, x, y) == makecol(255, 0, 255);
}

// Number of non-mask pixels in a 16 x 16 sheet cell.
int pintados(BITMAP *sheet, int index) {
    int n = 0, x0 = (index % 24) * 16, y0 = (index / 24) * 16;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            n += !es_mascara(sheet, x0 + x, y0 + y);
    return n;
}

bool celdas_iguales(BITMAP *s, int a, int b, bool espejo) {
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            int xa = (a % 24) * 16 + x, xb = (b % 24) * 16 + (espejo ? 15 - x : x);
            if (getpixel(s, xa, (a / 24) * 16 + y) != getpixel(s, xb, (b / 24) * 16 + y))
                return false;
        }
    return true;
}

} // namespace

// Every picture the game opens is there, loads at 16 and 32 bits, and has the size it needs.
TEST(Pictures, EveryResourceLoadsWithTheSizeTheGameNeeds) {
    for (int depth : {16, 32})
        for (const Medida &m : RECURSOS) {
            BITMAP *b = carga(ct_resource(m.nombre), depth);
            ASSERT_NE(b, nullptr) << m.nombre;
            if (m.exacta) {
                EXPECT_EQ(b->w, m.w) << m.nombre;
                EXPECT_EQ(b->h, m.h) << m.nombre;
            } else {
                EXPECT_GE(b->w, m.w) << m.nombre;
                EXPECT_GE(b->h, m.h) << m.nombre;
            }
            destroy_bitmap(b);
        }
}

// Only true magenta is transparent: no drawn colour turns into the mask at 15 or 16 bits.
TEST(Pictures, NoColourCollapsesIntoTheMaskAtLowDepths) {
    std::vector<std::string> todas;
    for (const Medida &m : RECURSOS)
        todas.push_back(ct_resource(m.nombre));
    for (const char *n :
         {"tiles.pcx", "sprites.pcx", "bg0.pcx", "bg1.pcx", "bg2.pcx", "bg3.pcx", "bg4.pcx"})
        todas.push_back(ct_level_art(n));
    for (const std::string &p : todas) {
        BITMAP *b = carga(p, 32);
        ASSERT_NE(b, nullptr) << p;
        int malos = 0;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                int c = getpixel(b, x, y);
                int r = getr(c), g = getg(c), bl = getb(c);
                if (!(r == 255 && g == 0 && bl == 255) && r >= 248 && g < 8 && bl >= 248) malos++;
            }
        EXPECT_EQ(malos, 0) << p;
        destroy_bitmap(b);
    }
}

// The frame keeps the status area plain and dark behind the white text, and the title keeps
// its menu box dark; the dialog's question and the buttons' labels have dark ground too.
TEST(Pictures, TextIsPrintedOnDarkPlainGround) {
    struct Zona {
        const char *nombre;
        int x, y, w, h, max_luz;
    } zonas[] = {
        {"MARCO.PCX", 152, 168, 104, 16, 48}, {"title.pcx", 72, 80, 113, 73, 60},
        {"title.pcx", 0, 176, 256, 16, 60},   {"GUI_sure.pcx", 8, 8, 128, 8, 90},
        {"BUT_unsel.pcx", 4, 8, 24, 8, 110},  {"BUT_sel.pcx", 4, 8, 24, 8, 150},
    };
    for (const Zona &z : zonas) {
        BITMAP *b = carga(ct_resource(z.nombre), 32);
        ASSERT_NE(b, nullptr);
        int peor = 0, menor = 255, mayor = 0;
        for (int y = z.y; y < z.y + z.h; y++)
            for (int x = z.x; x < z.x + z.w; x++) {
                int l = luz(b, x, y);
                peor = std::max(peor, l);
                menor = std::min(menor, l), mayor = std::max(mayor, l);
            }
        EXPECT_LE(peor, z.max_luz) << z.nombre << " at " << z.x << "," << z.y;
        if (std::string(z.nombre) == "MARCO.PCX") {
            EXPECT_LE(mayor - menor, 16) << "the status area should be plain";
        }
        destroy_bitmap(b);
    }
}

// The full bar is bright and the empty one dark, column for column.
TEST(Pictures, FullEnergyBarIsBrighterThanTheEmptyOneEverywhere) {
    BITMAP *lleno = carga(ct_resource("ENE_Lle.pcx"), 16);
    BITMAP *vacio = carga(ct_resource("ENE_Vac.pcx"), 16);
    ASSERT_TRUE(lleno && vacio);
    for (int x = 1; x < 127; x++)
        EXPECT_GT(luz(lleno, x, 8), luz(vacio, x, 8) + 40) << "column " << x;
    destroy_bitmap(lleno);
    destroy_bitmap(vacio);
}

// Light pictures: the halo is green and fades to black at its edge; the darkness is clear on
// the player and full far away; overlays and drips are black where they add nothing.
TEST(Pictures, LightPicturesFadeTheRightWay) {
    BITMAP *h = carga(ct_resource("halo_verde.pcx"), 32);
    ASSERT_NE(h, nullptr);
    int c = getpixel(h, 24, 24);
    EXPECT_GT(getg(c), 150);
    EXPECT_GT(getg(c), getr(c));
    EXPECT_GT(getg(c), getb(c));
    for (int p : {0, 47})
        EXPECT_EQ(luz(h, p, p), 0);
    EXPECT_GT(luz(h, 24, 24), luz(h, 24, 12));
    destroy_bitmap(h);

    BITMAP *a = carga(ct_resource("anti_halo.pcx"), 32);
    ASSERT_NE(a, nullptr);
    EXPECT_LT(luz(a, 240, 144), 8) << "the player stands in the clear";
    EXPECT_LT(luz(a, 248, 152), 8);
    for (int x : {0, 479})
        for (int y : {0, 287})
            EXPECT_GT(luz(a, x, y), 200) << "far corners are dark";
    EXPECT_LT(luz(a, 248 + 40, 152), luz(a, 248 + 100, 152)) << "darker with distance";
    destroy_bitmap(a);

    for (const char *n : {"OVERLAY-fila4.pcx", "fancy-overlay.pcx"}) {
        BITMAP *o = carga(ct_resource(n), 32);
        ASSERT_NE(o, nullptr);
        int negros = 0, mascara = 0;
        for (int y = 0; y < o->h; y++)
            for (int x = 0; x < o->w; x++) {
                negros += getpixel(o, x, y) == makecol(0, 0, 0);
                mascara += es_mascara(o, x, y);
            }
        EXPECT_GT(negros, o->w * o->h / 5) << n << " should leave much of the room alone";
        EXPECT_LT(negros, o->w * o->h) << n << " should add something";
        EXPECT_EQ(mascara, 0) << n;
        destroy_bitmap(o);
    }

    BITMAP *g = carga(ct_resource("gotas.pcx"), 32);
    ASSERT_NE(g, nullptr);
    for (int k = 0; k < 6; k++) {
        int encendidos = 0;
        for (int y = 0; y < 4; y++)
            for (int x = 0; x < 4; x++)
                encendidos += luz(g, 4 * k + x, y) > 20;
        EXPECT_GT(encendidos, 2) << "drip picture " << k;
        EXPECT_LT(encendidos, 16) << "drip picture " << k << " needs a black edge";
    }
    destroy_bitmap(g);
}

// Slime blobs and clouds are cut out with the mask; the cloud bands join up where they wrap.
TEST(Pictures, MaskedBandsAndBlobsWrapAndCutOut) {
    BITMAP *m = carga(ct_resource("moco.pcx"), 16);
    ASSERT_NE(m, nullptr);
    for (int k = 0; k < 4; k++) {
        EXPECT_TRUE(es_mascara(m, 8 * k, 7)) << "blob " << k << " corner";
        EXPECT_FALSE(es_mascara(m, 8 * k + 3, 4)) << "blob " << k << " body";
    }
    destroy_bitmap(m);
    for (const char *n : {"clouds_1.pcx", "clouds_2.pcx"}) {
        BITMAP *b = carga(ct_resource(n), 16);
        ASSERT_NE(b, nullptr);
        int cielo = 0, peor_salto = 0;
        for (int x = 0; x < b->w; x++) {
            int salto = 0;
            for (int y = 0; y < b->h; y++) {
                cielo += es_mascara(b, x, y);
                salto += es_mascara(b, x, y) != es_mascara(b, (x + 1) % b->w, y);
            }
            if (x < b->w - 1)
                peor_salto = std::max(peor_salto, salto);
            else
                EXPECT_LE(salto, std::max(peor_salto, 3)) << n << " has a seam where it wraps";
        }
        EXPECT_GT(cielo, b->w * b->h / 4) << n;
        EXPECT_LT(cielo, b->w * b->h * 9 / 10) << n;
        destroy_bitmap(b);
    }
}

// The level's sheets hold every picture the game draws, left-facing player cells mirror the
// right-facing ones, animations really move, and backgrounds are opaque except world 1's sky.
TEST(Pictures, LevelSheetsFollowTheCatalogue) {
    BITMAP *s = carga(ct_level_art("sprites.pcx"), 16);
    BITMAP *t = carga(ct_level_art("tiles.pcx"), 16);
    ASSERT_TRUE(s && t);
    EXPECT_EQ(s->w, 384);
    EXPECT_EQ(s->h, 160);
    EXPECT_EQ(t->w, 384);
    EXPECT_EQ(t->h, 160);
    std::vector<int> jugador = {0, 24, 48, 72, 96, 120, 144, 168};
    for (int n : jugador) {
        EXPECT_GT(pintados(s, n), 40) << "player sprite " << n;
        EXPECT_TRUE(celdas_iguales(s, n, n + 1, true)) << "player sprite " << n + 1;
    }
    for (int n : {2, 26, 192, 216, 193, 217})
        EXPECT_GT(pintados(s, n), 15) << "sprite " << n;
    for (int kind = 3; kind <= 8; kind++)
        for (int f = 0; f < 4; f++)
            EXPECT_GT(pintados(s, kind + 24 * f), 20) << "enemy " << kind << " frame " << f;
    for (int kind : {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23})
        for (int f = 0; f < 4; f++)
            EXPECT_GT(pintados(s, kind + 24 * f), 20) << "platform " << kind << " frame " << f;
    for (int kind = 3; kind <= 8; kind++)
        EXPECT_FALSE(celdas_iguales(s, kind, kind + 24, false)) << "enemy " << kind << " is still";
    EXPECT_FALSE(celdas_iguales(s, 0, 24, false)) << "walking must differ from standing";
    EXPECT_FALSE(celdas_iguales(s, 192, 216, false)) << "the lever must show it was pulled";

    for (int w = 0; w < 5; w++) {
        for (int i : {0, 2})
            EXPECT_EQ(pintados(t, 24 * w + i), 256) << "world " << w << " wall " << i;
        for (int i : {1, 3, 4, 5, 6})
            EXPECT_GT(pintados(t, 24 * w + i), 30) << "world " << w << " tile " << i;
        EXPECT_FALSE(celdas_iguales(t, 24 * w + 4, 24 * w + 5, false)) << "belts show their way";
    }
    EXPECT_GT(pintados(t, 164), 40);
    for (int n = 216; n < 222; n++) {
        EXPECT_EQ(pintados(t, n), 256) << "translucent body " << n;
        EXPECT_GT(pintados(t, n + 6), 4) << "overlay " << n + 6;
        EXPECT_LT(pintados(t, n + 6), 256) << "overlay " << n + 6 << " must let the body show";
    }
    destroy_bitmap(s);
    destroy_bitmap(t);

    for (int w = 0; w < 5; w++) {
        BITMAP *b = carga(ct_level_art("bg" + std::to_string(w) + ".pcx"), 16);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, 240);
        EXPECT_EQ(b->h, 144);
        int arriba = 0, abajo = 0;
        for (int y = 0; y < 144; y++)
            for (int x = 0; x < 240; x++)
                (y <= 100 ? arriba : abajo) += es_mascara(b, x, y);
        if (w == 1) {
            EXPECT_GT(arriba, 240 * 101 / 2) << "the sky shows above the horizon";
            EXPECT_EQ(abajo, 0) << "below row 100 the game draws no sky";
        } else {
            EXPECT_EQ(arriba + abajo, 0) << "world " << w << " has nothing behind it";
        }
        destroy_bitmap(b);
    }
}
