#include "gui/settings/ExtraTexts.h"

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"

namespace {

struct Entry {
  const char* text[LanguageCount];
};

// Rows in ExtraText order; UTF-8 literals.
constexpr Entry kEntries[] = {
    // BadSetName
    {{"Deze naam kan niet voor een set:", "This name cannot be used for a settings set:",
      "Dieser Name ist für ein Set nicht möglich:", "Ce nom ne convient pas à un jeu :",
      "Este nombre no sirve para un conjunto:", "Este nome não serve para um conjunto:",
      "Questo nome non è valido per un set:", "Nimeä ei voi käyttää asetuksille:",
      "Ez a név nem használható:", "Bu ad ayar seti için kullanilamaz:"}},
    // NameEmpty
    {{"Typ eerst een naam", "Type a name first", "Bitte zuerst einen Namen eingeben",
      "Saisissez d'abord un nom", "Escriba primero un nombre", "Escreva primeiro um nome",
      "Scrivere prima un nome", "Kirjoita ensin nimi", "Elobb írjon be egy nevet", "Önce bir ad yazin"}},
    // NameReserved
    {{"Het systeem reserveert deze naam", "The system reserves this name",
      "Das System reserviert diesen Namen", "Le système réserve ce nom", "El sistema reserva este nombre",
      "O sistema reserva este nome", "Il sistema riserva questo nome", "Järjestelmä varaa tämän nimen",
      "Ezt a nevet a rendszer foglalja", "Bu ad sistem tarafindan ayrilmis"}},
    // NameCharacter
    {{"Niet toegestaan in een naam: %1", "Not allowed in a name: %1", "Im Namen nicht erlaubt: %1",
      "Interdit dans un nom : %1", "No permitido en un nombre: %1", "Não permitido num nome: %1",
      "Non ammesso in un nome: %1", "Ei sallittu nimessä: %1", "Névben nem megengedett: %1",
      "Adda izin verilmez: %1"}},
    // NameTrailing
    {{"Een naam mag niet op een punt of spatie eindigen", "A name may not end with a dot or a blank",
      "Ein Name darf nicht mit Punkt oder Leerzeichen enden",
      "Un nom ne peut finir par un point ou un espace", "Un nombre no puede acabar en punto o espacio",
      "Um nome não pode acabar em ponto ou espaço", "Un nome non può finire con punto o spazio",
      "Nimi ei voi päättyä pisteeseen tai välilyöntiin", "A név nem végzodhet ponttal vagy szóközzel",
      "Ad nokta veya boslukla bitemez"}},
    // NameTooLong
    {{"Hoogstens %1 tekens", "At most %1 characters", "Höchstens %1 Zeichen", "%1 caractères au plus",
      "Como máximo %1 caracteres", "No máximo %1 caracteres", "Al massimo %1 caratteri",
      "Enintään %1 merkkiä", "Legfeljebb %1 karakter", "En fazla %1 karakter"}},
    // SetIncomplete
    {{"Deze set is niet compleet:", "This settings set is incomplete:", "Dieses Set ist unvollständig:",
      "Ce jeu est incomplet :", "Este conjunto está incompleto:", "Este conjunto está incompleto:",
      "Questo set è incompleto:", "Tämä asetussarja on vajaa:", "Ez a beállításkészlet hiányos:",
      "Bu ayar seti eksik:"}},
    // FileMissing
    {{"%1 ontbreekt", "%1 is missing", "%1 fehlt", "%1 manque", "falta %1", "falta %1", "manca %1",
      "%1 puuttuu", "%1 hiányzik", "%1 eksik"}},
    // NoSuchSet
    {{"Er is geen set met de naam", "There is no settings set named", "Es gibt kein Set mit dem Namen",
      "Aucun jeu ne porte le nom", "No hay ningún conjunto llamado", "Não existe nenhum conjunto chamado",
      "Non esiste un set di nome", "Asetussarjaa ei ole nimellä",
      "Nincs ilyen nevu készlet:", "Bu adla bir ayar seti yok:"}},
    // LoadFailed
    {{"Laden mislukt, er is niets veranderd:", "Loading failed, nothing was changed:",
      "Laden fehlgeschlagen, nichts wurde geändert:", "Échec du chargement, rien n'a changé :",
      "Error al cargar, no se ha cambiado nada:", "Falha ao carregar, nada foi alterado:",
      "Caricamento non riuscito, nulla è cambiato:", "Lataus epäonnistui, mitään ei muutettu:",
      "A betöltés nem sikerült, semmi sem változott:", "Yükleme basarisiz, hiçbir sey degismedi:"}},
    // StoreFailed
    {{"Opslaan van de set mislukt:", "Storing the settings set failed:", "Speichern des Sets fehlgeschlagen:",
      "Échec de l'enregistrement du jeu :", "No se pudo guardar el conjunto:", "Falha ao guardar o conjunto:",
      "Salvataggio del set non riuscito:", "Asetussarjan tallennus epäonnistui:",
      "A készlet mentése nem sikerült:", "Ayar seti kaydedilemedi:"}},
    // CouldNotSave
    {{"Opslaan mislukt:", "Could not save:", "Speichern fehlgeschlagen:", "Enregistrement impossible :",
      "No se pudo guardar:", "Falha ao guardar:", "Salvataggio non riuscito:", "Tallennus epäonnistui:",
      "A mentés nem sikerült:", "Kaydedilemedi:"}},
};
static_assert(std::size(kEntries) == static_cast<size_t>(ExtraText::Count));

}  // namespace

QString GetExtraText(ExtraText id, int language) {
  if (language < 0 || language >= LanguageCount) language = 1;
  return QString::fromUtf8(kEntries[static_cast<int>(id)].text[language]);
}

QString GetExtraText(ExtraText id) { return GetExtraText(id, TLoadSave::Instance()->Language); }
