// skarvex-comb: inspect, unpack, pack and check combination files from the command
// line, for skin makers and for checks from outside the game.
#include "data/Combinazione.h"
#include "data/FileAtomico.h"
#include "data/FileMedia.h"
#include "tools/Manifesto.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Successo = 0;
constexpr int Fallimento = 1;  // the file did not read whole, or a file could not be used
constexpr int UsoSbagliato = 2;

constexpr const char* Aiuto = R"(usage: skarvex-comb COMMAND ARGUMENTS

  info FILE                 name, author, whether it is protected, every slot
                            (Default, empty, or its size and format), volumes, font
  unpack FILE DIR           writes DIR/manifest.json and one file per non-empty slot
                            (DIR is created when missing)
  pack MANIFEST.json OUT    writes the combination a manifest describes
  check FILE                exit 0 when FILE reads whole, 1 with the reason otherwise
  --help                    this text

The manifest is a JSON object whose keys are the record's fields: "Nome", "Autore",
"Password" (strings); "Immagini" (14 entries: "Default", "" or a file path);
"Suoni" (16 entries: "" or a file path); "Volumi" (16 integers, hundredths of a
decibel, -10000 silent to 0 full); "FontNome", "FontDimensione", "FontColore"
(strings); "FontGrassetto", "FontCorsivo" (true or false); "FontFile" ("" or a file
path); "FontFileNome" (string). Paths are relative to the manifest's folder. Text
is stored as Windows-1252: characters it lacks are stored as '?'.
)";

int Fallisci(const std::string& messaggio, int codice = Fallimento) {
  std::cerr << "skarvex-comb: " << messaggio << "\n";
  return codice;
}

// Text from a file, safe to print: control characters could drive the terminal.
std::string Stampabile(std::string testo) {
  for (char& c : testo)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return testo;
}

std::string Descrivi(const std::string& slot) {
  if (slot.empty()) return "empty";
  return std::to_string(slot.size()) + " bytes, " +
         std::string(NomeFormato(RiconosciFormato(slot)));
}

int Info(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  const TipoCombinazione& c = comb.valore();
  std::cout << "Nome: " << Stampabile(c.Nome) << "\n"
            << "Autore: " << Stampabile(c.Autore) << "\n"
            << "Protected: " << (c.Password.empty() ? "no" : "yes, with a password") << "\n";
  for (int n = 0; n < NumeroImmagini; ++n)
    std::cout << "Immagini(" << n << ") " << NomiImmagini[n] << ": "
              << (c.Immagini[n] == ImmagineDefault ? std::string("Default")
                                                   : Descrivi(c.Immagini[n]))
              << "\n";
  for (int n = 0; n < NumeroSuoni; ++n)
    std::cout << "Suoni(" << n << ") " << NomiSuoni[n] << ": " << Descrivi(c.Suoni[n])
              << ", volume " << c.Volumi[n] << "\n";
  std::cout << "FontNome: " << Stampabile(c.FontNome) << "\n"
            << "FontDimensione: " << Stampabile(c.FontDimensione) << "\n"
            << "FontColore: " << Stampabile(c.FontColore) << "\n"
            << "FontGrassetto: " << (c.FontGrassetto ? "true" : "false") << "\n"
            << "FontCorsivo: " << (c.FontCorsivo ? "true" : "false") << "\n"
            << "FontFile: " << Descrivi(c.FontFile) << "\n"
            << "FontFileNome: " << Stampabile(c.FontFileNome) << "\n";
  return Successo;
}

int Unpack(const fs::path& file, const fs::path& cartella) {
  auto byte = LeggiFile(file);
  if (!byte) return Fallisci(byte.errore());
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Fallisci(file.string() + ": " + comb.errore());

  std::error_code ec;
  fs::create_directories(cartella, ec);
  if (ec) return Fallisci("cannot create " + cartella.string() + ": " + ec.message());
  const Spacchettato parti = Spacchetta(comb.valore());
  for (const FileSpacchettato& parte : parti.file)
    if (auto esito = ScriviFileAtomico(cartella / parte.nome, *parte.byte); !esito)
      return Fallisci(esito.errore());
  if (auto esito = ScriviFileAtomico(cartella / NomeManifesto, parti.manifesto); !esito)
    return Fallisci(esito.errore());

  // Packing writes the canonical form; say so when this file differs from it.
  const std::string canonico = CodificaCombinazione(comb.valore());
  const std::string& originale = byte.valore();
  if (originale.size() > canonico.size() && originale.compare(0, canonico.size(), canonico) == 0)
    std::cerr << "skarvex-comb: note: " << file.string() << " has "
              << originale.size() - canonico.size()
              << " bytes after the record; pack will not write them\n";
  else if (originale != canonico)
    std::cerr << "skarvex-comb: note: " << file.string()
              << " is not in the form the game writes (a long length prefix for a short "
                 "string, an unusual boolean or a character Windows-1252 leaves undefined); "
                 "pack will write that form\n";
  return Successo;
}

int Pack(const fs::path& manifesto, const fs::path& uscita) {
  auto testo = LeggiFile(manifesto);
  if (!testo) return Fallisci(testo.errore());
  auto comb = Impacchetta(testo.valore(), manifesto.parent_path());
  if (!comb) return Fallisci(manifesto.string() + ": " + comb.errore());
  if (auto esito = ScriviFileCombinazione(uscita, comb.valore()); !esito)
    return Fallisci(esito.errore());
  return Successo;
}

int Check(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  std::cout << file.string() << ": reads whole\n";
  return Successo;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arg(argv + 1, argv + argc);
  for (const std::string& a : arg)
    if (a == "--help" || a == "-h") {
      std::cout << Aiuto;
      return Successo;
    }
  if (arg.empty()) return Fallisci("no command given (try --help)", UsoSbagliato);

  struct Comando {
    const char* nome;
    size_t argomenti;
    const char* uso;
  };
  constexpr std::array<Comando, 4> comandi = {{{"info", 1, "info FILE"},
                                               {"unpack", 2, "unpack FILE DIR"},
                                               {"pack", 2, "pack MANIFEST.json OUT.skcom"},
                                               {"check", 1, "check FILE"}}};
  const std::string& nome = arg[0];
  for (const Comando& c : comandi) {
    if (nome != c.nome) continue;
    if (arg.size() - 1 != c.argomenti)
      return Fallisci(std::string("usage: skarvex-comb ") + c.uso + " (try --help)", UsoSbagliato);
    if (nome == "info") return Info(arg[1]);
    if (nome == "unpack") return Unpack(arg[1], arg[2]);
    if (nome == "pack") return Pack(arg[1], arg[2]);
    return Check(arg[1]);
  }
  return Fallisci("unknown command \"" + nome + "\" (try --help)", UsoSbagliato);
}
