// skarvex-comb: inspect, unpack, pack and check combination files from the command
// line, for skin makers and for checks from outside the game.
#include "codec/Combinazione.h"
#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"
#include "tools/Manifesto.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Successo = 0;
// A file did not read whole, the game would refuse one of its slots, or a file could
// not be used.
constexpr int Fallimento = 1;
constexpr int UsoSbagliato = 2;

std::string MiB(uint64_t byte) {
  return std::to_string(byte / Vaglio::MiB) + " MiB";
}

// The usage text. Its limits are the game's own, filled in where @NAME stands.
std::string Aiuto() {
  std::string testo = R"(usage: skarvex-comb COMMAND ARGUMENTS

  info FILE                 name, author, whether it is protected, every slot
                            (Default, empty, or its size and format, and why the
                            game refuses it if it does), volumes, font
  unpack [--force] FILE DIR writes DIR/manifest.json and one file per non-empty slot
                            (DIR is created when missing); when DIR already holds
                            any of those names it writes nothing, unless --force
                            is given to replace them
  pack MANIFEST.json OUT    writes the combination a manifest describes
  check FILE                exit 0 when FILE reads whole and the game takes every
                            slot, 1 with one line per reason otherwise
  --help                    this text

The manifest is a JSON object whose keys are the record's fields: "Nome", "Autore",
"Password" (strings); "Immagini" (14 entries: "Default", "" or a file path);
"Suoni" (16 entries: "" or a file path); "Volumi" (16 integers, hundredths of a
decibel, -10000 silent to 0 full); "FontNome", "FontDimensione", "FontColore"
(strings); "FontGrassetto", "FontCorsivo" (true or false); "FontFile" ("" or a file
path); "FontFileNome" (string). Paths are relative to the manifest's folder and
must stay inside it: no absolute path, no "..", no link that leads out. Text is
stored as Windows-1252: characters it lacks are stored as '?'.

Limits. A combination file, and each file a manifest names, is read only up to
@COMBINAZIONE; a manifest up to @MANIFESTO. The game refuses a slot that is not a kind it
takes or whose header is damaged, a picture of more than @PIXEL pixels or one
that takes the fourteen past @TUTTIPIXEL, a progressive JPEG of more than @SCANSIONI
scans, an effect that decodes to more than @EFFETTO or takes the fifteen past
@EFFETTI, a MIDI file of more than @MIDI and a font file of more than @FONT;
info and check say which slot and why.
)";
  using namespace Vaglio;
  const std::pair<std::string_view, std::string> limiti[] = {
      {"@COMBINAZIONE", MiB(MaxByteCombinazione)},
      {"@MANIFESTO", MiB(MaxByteManifesto)},
      {"@PIXEL", std::to_string(MaxPixelImmagine)},
      {"@TUTTIPIXEL", std::to_string(MaxPixelCombinazione)},
      {"@SCANSIONI", std::to_string(MaxScansioniJpeg)},
      {"@EFFETTO", MiB(MaxByteEffetto)},
      {"@EFFETTI", MiB(MaxByteEffetti)},
      {"@MIDI", MiB(MaxByteMidi)},
      {"@FONT", MiB(MaxByteFont)}};
  for (const auto& [segno, valore] : limiti) testo.replace(testo.find(segno), segno.size(), valore);
  return testo;
}

// Text from a file or a manifest, safe to print: control characters could drive the
// terminal, and a line break would split a message.
std::string Stampabile(std::string testo) {
  for (char& c : testo)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return testo;
}

void Avvisa(const std::string& messaggio) {
  std::cerr << "skarvex-comb: " << Stampabile(messaggio) << "\n";
}

int Fallisci(const std::string& messaggio, int codice = Fallimento) {
  Avvisa(messaggio);
  return codice;
}

std::string Descrivi(const std::string& slot) {
  if (slot.empty()) return "empty";
  return std::to_string(slot.size()) + " bytes, " +
         std::string(NomeFormato(RiconosciFormato(slot)));
}

// ", refused: <why>" after a slot the game refuses.
std::string Rifiutato(const std::optional<Vaglio::Rifiuto>& rifiuto) {
  return rifiuto ? ", refused: " + Vaglio::Descrivi(*rifiuto) : std::string();
}

std::string SlotImmagine(int n) {
  return "Immagini(" + std::to_string(n) + ") " + NomiImmagini[n];
}
std::string SlotSuono(int n) {
  return "Suoni(" + std::to_string(n) + ") " + NomiSuoni[n];
}

int Info(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  const TipoCombinazione& c = comb.valore();
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(c);
  std::cout << "Nome: " << Stampabile(c.Nome) << "\n"
            << "Autore: " << Stampabile(c.Autore) << "\n"
            << "Protected: " << (c.Password.empty() ? "no" : "yes, with a password") << "\n";
  for (int n = 0; n < NumeroImmagini; ++n)
    std::cout << SlotImmagine(n) << ": "
              << (c.Immagini[n] == ImmagineDefault ? std::string("Default")
                                                   : Descrivi(c.Immagini[n]))
              << Rifiutato(esame.immagini[n].rifiuto) << "\n";
  for (int n = 0; n < NumeroSuoni; ++n)
    std::cout << SlotSuono(n) << ": " << Descrivi(c.Suoni[n]) << ", volume " << c.Volumi[n]
              << Rifiutato(esame.suoni[n]) << "\n";
  std::cout << "FontNome: " << Stampabile(c.FontNome) << "\n"
            << "FontDimensione: " << Stampabile(c.FontDimensione) << "\n"
            << "FontColore: " << Stampabile(c.FontColore) << "\n"
            << "FontGrassetto: " << (c.FontGrassetto ? "true" : "false") << "\n"
            << "FontCorsivo: " << (c.FontCorsivo ? "true" : "false") << "\n"
            << "FontFile: " << Descrivi(c.FontFile) << Rifiutato(esame.font) << "\n"
            << "FontFileNome: " << Stampabile(c.FontFileNome) << "\n";
  return Successo;
}

// Unpacking into a folder that already holds some of the names would mix two skins,
// or overwrite a file someone put there (even through a link) with bytes a stranger
// chose: so it replaces nothing unless `sostituisci`, and then it replaces the names
// themselves, never what a link points to.
int Unpack(const fs::path& file, const fs::path& cartella, bool sostituisci) {
  auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione);
  if (!byte) return Fallisci(byte.errore());
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Fallisci(file.string() + ": " + comb.errore());

  const Spacchettato parti = Spacchetta(comb.valore());
  std::vector<FileSpacchettato> uscite = parti.file;
  uscite.push_back({NomeManifesto, &parti.manifesto});
  std::error_code ec;
  if (!sostituisci)
    for (const FileSpacchettato& uscita : uscite) {
      const fs::path percorso = cartella / uscita.nome;
      const fs::file_status stato = fs::symlink_status(percorso, ec);
      if (stato.type() == fs::file_type::not_found) continue;
      if (ec)
        return Fallisci("cannot look for " + percorso.string() + ": " + ec.message() +
                        "; nothing was written");
      return Fallisci(percorso.string() +
                      " already exists; nothing was written (use --force to replace it)");
    }

  fs::create_directories(cartella, ec);
  if (ec) return Fallisci("cannot create " + cartella.string() + ": " + ec.message());
  for (const FileSpacchettato& uscita : uscite) {
    const fs::path percorso = cartella / uscita.nome;
    // Not forced, a name that appeared since the look above still stays as it was.
    if (auto esito = sostituisci ? ScriviFileAtomico(percorso, *uscita.byte)
                                 : CreaFileAtomico(percorso, *uscita.byte);
        !esito)
      return Fallisci(esito.errore());
  }

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
  auto testo = LeggiFile(manifesto, Vaglio::MaxByteManifesto);
  if (!testo) return Fallisci(testo.errore());
  auto comb = Impacchetta(testo.valore(), manifesto.parent_path());
  if (!comb) return Fallisci(manifesto.string() + ": " + comb.errore());
  if (auto esito = ScriviFileCombinazione(uscita, comb.valore()); !esito)
    return Fallisci(esito.errore());
  return Successo;
}

// The file must read whole, and every slot must pass the gate the game holds it to.
int Check(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(comb.valore());
  const auto rifiuta = [&](const std::string& slot, const std::optional<Vaglio::Rifiuto>& r) {
    if (r) Avvisa(file.string() + ": " + slot + ": " + Vaglio::Descrivi(*r));
  };
  for (int n = 0; n < NumeroImmagini; ++n) rifiuta(SlotImmagine(n), esame.immagini[n].rifiuto);
  for (int n = 0; n < NumeroSuoni; ++n) rifiuta(SlotSuono(n), esame.suoni[n]);
  rifiuta("FontFile", esame.font);
  if (!esame.Tutto()) return Fallimento;
  std::cout << file.string() << ": reads whole\n";
  return Successo;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arg;
  bool forza = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << Aiuto();
      return Successo;
    }
    if (a == "--force")
      forza = true;
    else
      arg.push_back(a);
  }
  if (arg.empty()) return Fallisci("no command given (try --help)", UsoSbagliato);

  struct Comando {
    const char* nome;
    size_t argomenti;
    const char* uso;
  };
  constexpr std::array<Comando, 4> comandi = {{{"info", 1, "info FILE"},
                                               {"unpack", 2, "unpack [--force] FILE DIR"},
                                               {"pack", 2, "pack MANIFEST.json OUT.skcom"},
                                               {"check", 1, "check FILE"}}};
  const std::string& nome = arg[0];
  for (const Comando& c : comandi) {
    if (nome != c.nome) continue;
    if (arg.size() - 1 != c.argomenti || (forza && nome != "unpack"))
      return Fallisci(std::string("usage: skarvex-comb ") + c.uso + " (try --help)", UsoSbagliato);
    if (nome == "info") return Info(arg[1]);
    if (nome == "unpack") return Unpack(arg[1], arg[2], forza);
    if (nome == "pack") return Pack(arg[1], arg[2]);
    return Check(arg[1]);
  }
  return Fallisci("unknown command \"" + nome + "\" (try --help)", UsoSbagliato);
}
