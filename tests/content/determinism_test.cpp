// determinism_test.cpp -- every built picture, sound and module is remade byte for byte from
// its source: building twice gives identical files, and what is in build/ is what the sources
// in data/ say (nothing stale, nothing random).
#include <gtest/gtest.h>
#include "contenido.h"
#include <dirent.h>

namespace {

// The sources in one folder of data/ (files ending in .txt), sorted.
std::vector<std::string> fuentes(const std::string &dir) {
    std::vector<std::string> out;
    DIR *d = opendir(dir.c_str());
    if (!d) return out;
    while (struct dirent *e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".txt") == 0) out.push_back(n);
    }
    closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(Determinism, EveryBuiltFileIsRemadeByteForByteFromItsSource) {
    std::string src = ct_source_dir() + "/data", tmp = ct_scratch("det");
    struct Grupo {
        std::string carpeta, herramienta;
        bool nivel;
        size_t minimo; // files this folder must at least hold
    } grupos[] = {
        {"art", "pcxart", false, 18},
        {"art/level", "pcxart", true, 7},
        {"sound", "sfxsynth", false, 9},
        {"music", "xmwrite", false, 2},
    };
    for (const Grupo &g : grupos) {
        std::vector<std::string> lista = fuentes(src + "/" + g.carpeta);
        EXPECT_GE(lista.size(), g.minimo) << g.carpeta;
        for (const std::string &f : lista) {
            std::string nombre = f.substr(0, f.size() - 4);
            std::string err;
            ASSERT_EQ(ct_run(g.herramienta, src + "/" + g.carpeta + "/" + f, tmp + "/a", &err), 0)
                << err;
            ASSERT_EQ(ct_run(g.herramienta, src + "/" + g.carpeta + "/" + f, tmp + "/b", &err), 0)
                << err;
            std::vector<uint8_t> a = ct_read(tmp + "/a");
            ASSERT_FALSE(a.empty()) << f;
            EXPECT_EQ(a, ct_read(tmp + "/b")) << f << " differs between two runs";
            std::string built = g.nivel ? ct_level_art(nombre) : ct_resource(nombre);
            EXPECT_EQ(a, ct_read(built)) << built << " is not what its source makes";
        }
    }
}
