#pragma once
#include "table/pipeline_table.hpp"

// Each data table hands the pipeline its four steps. The pipeline visits them in this order.
PipelineTable formations_table();             // form.csv
PipelineTable formation_techs_table();        // form_tech.csv
PipelineTable characters_table();             // char.csv
PipelineTable items_table();                  // item.csv
PipelineTable ally_techs_table();             // tech.csv
PipelineTable monsters_table();               // monster.csv
PipelineTable enemy_techs_table();            // mons_tech.csv
PipelineTable action_patterns_table();        // monster_ptn.csv
PipelineTable strings_table();                // string.csv
PipelineTable proper_names_table();           // name.csv
PipelineTable learning_chances_table();       // flash.csv
PipelineTable event_battles_table();          // event_battle.csv
