#include "tables/registry.hpp"

#include "table/fixed_table.hpp"
#include "tables/action_patterns.hpp"
#include "tables/ally_techs.hpp"
#include "tables/characters.hpp"
#include "tables/enemy_techs.hpp"
#include "tables/event_battles.hpp"
#include "tables/formation_techs.hpp"
#include "tables/formations.hpp"
#include "tables/items.hpp"
#include "tables/learning_chances.hpp"
#include "tables/monsters.hpp"
#include "tables/proper_names.hpp"
#include "tables/strings.hpp"

namespace {

RegisteredTable entry(const TableDescription& description,
                      PipelineTable (*steps)(const TableDescription&) = fixed_table_steps) {
  return {&description, steps(description)};
}

}  // namespace

std::vector<RegisteredTable> registered_tables() {
  return {
      entry(formation_table()),
      entry(formation_tech_table()),
      entry(character_table()),
      entry(item_table()),
      entry(ally_tech_table()),
      entry(monster_table()),
      entry(enemy_tech_table()),
      entry(action_pattern_table()),
      entry(string_table(), string_steps),
      // After the formation techniques: its formation-technique names are the same ROM slots
      // as the names in form_tech.csv, and the later store wins.
      entry(proper_name_table(), proper_name_steps),
      entry(learning_table(), learning_steps),
      entry(event_battle_table(), event_battle_steps),
  };
}
