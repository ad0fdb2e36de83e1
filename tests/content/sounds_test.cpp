// sounds_test.cpp -- the sound effects: WAV headers, loudness, lengths that suit their use,
// the recipe reader's faults, and the same file from the same recipe.
#include <gtest/gtest.h>
#include "contenido.h"
#include <math.h>

namespace {

// A WAV file read back: its format fields and samples.
struct Wav {
    int formato, canales, rate, bits;
    std::vector<int16_t> s;
};

bool lee_wav(const std::vector<uint8_t> &b, Wav *w, std::string *por_que) {
    if (b.size() < 44 || memcmp(b.data(), "RIFF", 4) || memcmp(b.data() + 8, "WAVE", 4) ||
        memcmp(b.data() + 12, "fmt ", 4) || memcmp(b.data() + 36, "data", 4)) {
        *por_que = "not a plain RIFF WAVE with fmt and data";
        return false;
    }
    if (ct_u32(b, 4) != b.size() - 8 || ct_u32(b, 40) != b.size() - 44 || ct_u32(b, 16) != 16) {
        *por_que = "chunk sizes do not add up";
        return false;
    }
    w->formato = ct_u16(b, 20), w->canales = ct_u16(b, 22);
    w->rate = (int)ct_u32(b, 24), w->bits = ct_u16(b, 34);
    if (ct_u32(b, 28) != (uint32_t)w->rate * 2 || ct_u16(b, 32) != 2) {
        *por_que = "byte rate or block align is wrong for 16-bit mono";
        return false;
    }
    for (size_t i = 44; i + 1 < b.size(); i += 2)
        w->s.push_back((int16_t)ct_u16(b, i));
    return true;
}

double rms(const std::vector<int16_t> &s, size_t from, size_t to) {
    double a = 0;
    to = std::min(to, s.size());
    for (size_t i = from; i < to; i++)
        a += (double)s[i] * s[i];
    return to > from ? sqrt(a / (to - from)) : 0;
}

} // namespace

// Every sample is 16-bit mono PCM at 22050 or 44100 Hz, audible, not clipped to a square, and
// as long as its use allows: clicks short, the fall about a second, the hurt buzz brief.
TEST(Sounds, EverySampleIsAudibleMono16BitOfTheRightLength) {
    struct {
        const char *nombre;
        double min_s, max_s;
    } sonidos[] = {
        {"back.wav", 0.05, 0.4},   {"go.wav", 0.1, 0.8},        {"ting.wav", 0.03, 0.25},
        {"energia.wav", 0.2, 1.2}, {"salto.wav", 0.08, 0.4},    {"palanca.wav", 0.2, 1.2},
        {"caer.wav", 0.8, 1.4},    {"enemigo.wav", 0.04, 0.15}, {"suelo.wav", 0.05, 0.4},
    };
    for (auto &s : sonidos) {
        Wav w;
        std::string por_que;
        ASSERT_TRUE(lee_wav(ct_read(ct_resource(s.nombre)), &w, &por_que))
            << s.nombre << ": " << por_que;
        EXPECT_EQ(w.formato, 1) << s.nombre;
        EXPECT_EQ(w.canales, 1) << s.nombre;
        EXPECT_EQ(w.bits, 16) << s.nombre;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << s.nombre;
        double segundos = (double)w.s.size() / w.rate;
        EXPECT_GE(segundos, s.min_s) << s.nombre;
        EXPECT_LE(segundos, s.max_s) << s.nombre;
        EXPECT_GT(rms(w.s, 0, w.s.size()), 1500) << s.nombre << " is too quiet";
        int topes = 0;
        for (int16_t v : w.s)
            topes += v >= 32767 || v <= -32767;
        EXPECT_LT(topes, (int)w.s.size() / 100) << s.nombre << " clips";
        EXPECT_LT(abs(w.s.front()), 200) << s.nombre << " starts with a click";
        EXPECT_LT(abs(w.s.back()), 200) << s.nombre << " ends with a click";
    }
}

// The hurt sound is restarted every 34 ms while touching an enemy: its first 34 ms must already
// carry the sound, evenly, so the restarts join into one growl.
TEST(Sounds, HurtSoundIsFullFromItsFirstMilliseconds) {
    Wav w;
    std::string por_que;
    ASSERT_TRUE(lee_wav(ct_read(ct_resource("enemigo.wav")), &w, &por_que)) << por_que;
    size_t paso = (size_t)(w.rate * 0.034);
    double primero = rms(w.s, w.rate / 500, paso / 2), segundo = rms(w.s, paso / 2, paso);
    EXPECT_GT(primero, 3000);
    EXPECT_GT(segundo, 3000);
    EXPECT_LT(fabs(primero - segundo) / segundo, 0.5);
}

// The fall whistles downwards: it is higher in its first half than in its second.
TEST(Sounds, FallingWhistleDescends) {
    Wav w;
    std::string por_que;
    ASSERT_TRUE(lee_wav(ct_read(ct_resource("caer.wav")), &w, &por_que)) << por_que;
    auto cruces = [&](size_t a, size_t b) {
        int n = 0;
        for (size_t i = a + 1; i < b; i++)
            n += (w.s[i - 1] < 0) != (w.s[i] < 0);
        return n;
    };
    size_t cuarto = w.s.size() / 4;
    EXPECT_GT(cruces(0, cuarto), 2 * cruces(2 * cuarto, 3 * cuarto));
}

// A plain recipe gives exactly the wave it describes; faults name their line.
TEST(Sounds, RecipesMakeTheirWaveAndFaultsAreNamed) {
    std::string d = ct_scratch("sfx");
    std::string err;

    ct_write(d + "/t.txt", "rate 44100\nlayer sine at=0 len=0.5 f0=441 vol=0.5 att=0 rel=0\n");
    ASSERT_EQ(ct_run("sfxsynth", d + "/t.txt", d + "/t.wav", &err), 0) << err;
    Wav w;
    std::string por_que;
    ASSERT_TRUE(lee_wav(ct_read(d + "/t.wav"), &w, &por_que)) << por_que;
    EXPECT_EQ(w.rate, 44100);
    ASSERT_EQ(w.s.size(), 22050u);
    EXPECT_NEAR(w.s[10025], 0.5 * 32767, 200)
        << "441 Hz at 44100: peaks 25 samples into each cycle";
    EXPECT_NEAR(rms(w.s, 1000, 21000), 0.5 * 32767 / sqrt(2.0), 100);

    struct {
        const char *receta, *espera;
    } casos[] = {
        {"rate 8000\nlayer sine\n", "line 1: rate"},
        {"layer hum len=1\n", "line 1: a layer starts"},
        {"rate 22050\nlayer sine len=0\n", "line 2"},
        {"layer sine colour=3\n", "unknown setting"},
        {"# nothing\n", "at least one layer"},
    };
    for (auto &c : casos) {
        ct_write(d + "/bad.txt", c.receta);
        EXPECT_NE(ct_run("sfxsynth", d + "/bad.txt", d + "/bad.wav", &err), 0) << c.receta;
        EXPECT_NE(err.find(c.espera), std::string::npos) << err;
    }
}
