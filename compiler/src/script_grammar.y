/* Grammar of the script language; reductions build the program tree. */
%require "3.6"
%define api.pure full
%define api.prefix {tvc_}
%locations
/* Inside a subroutine's branch list, a node keyword followed by a name could start either a
   branch target or the first node; the ten conflicts (one per node keyword) shift, so the
   text is read as a node. */
%expect 10
%param {void* scanner}
%parse-param {tarvo::compiler::ParseState* state}

%code requires {
#include <string>
#include <vector>
#include "parse_state.h"
}

%code {
#include "grammar_actions.h"
int tvc_lex(TVC_STYPE* value, TVC_LTYPE* location, void* scanner);
static void tvc_error(TVC_LTYPE* location, void*, tarvo::compiler::ParseState* state, const char* message) {
    state->reportError(message, location->first_line);
}
#define YYMAXDEPTH 2000
#define YYINITDEPTH 2000
using namespace tarvo::compiler;
}

%union {
    int number;
    const char* text;
    tarvo::compiler::Item* item;
    tarvo::compiler::ItemList* items;
    tarvo::compiler::Declaration* declaration;
    std::vector<tarvo::compiler::Declaration*>* declarations;
    std::vector<std::string>* keys;
    tarvo::compiler::NodeDef* node;
    std::vector<tarvo::compiler::NodeDef*>* nodes;
    tarvo::compiler::FrameDef* frame;
    std::vector<tarvo::compiler::FrameDef*>* frames;
    std::vector<tarvo::compiler::ItemList>* groups;
}

%token ALPHA 257 APPEND 258 ASCII 259 BAR 260 BRANCH 261 CALL_NODE 262 CHARSET 263 CLEAR 264
%token CLEAR8 265 CLOCK 266 COLUMN 267 COMMA 268 COPY_NODE 269 DECLARATIONS 270 QOR_DELETE 271
%token DESTINATION 272 DISPLAY 273 DISPLAYLITERAL 274 DISPLAY_NODE 275 DIVIDE 276 DOT 277
%token EXIT_NODE 278 EQUAL 279 FIELD 280 FILEVAR 281 FILERECORD 282 FILERECORDFIELD 283 FIRST 284
%token FRAME 285 FUNCTIONKEY 286 IGNORECASE 287 INPUT_NODE 288 INSERT 289
%token <number> INTEGER 290
%token KEY 291 KEYBOARD 292 KEYS 293 LANGUAGE 294 LAST 295 LEFT_PAREN 296 LITERAL 297
%token <text> LITERAL_TEXT 298
%token MATH_NODE 299 MENU_NODE 300 MINUS 301 MOD 302 MODIFIER_NODE 303 MULTIPLY 304 NODE 305
%token NOLITERAL 306 NUMERIC 307 OUTPUT_NODE 308 OVERWRITE 309 PLUS 310 PORTABLE 311
%token QUESTION_MARK 312 RADIO 313 RANGE 314 REGVAR 315 REGFIELD 316 REPLACE 317 RESET_SYSPARSE 318
%token RETURN_NODE 319 REVERSE 320 RIGHT_PAREN 321 ROW 322 SCROLL 323 SCROLL_LEFT 324 SCROLL_RIGHT 325
%token SEMICOLON 326 SERIAL 327 SET_SYSPARSE 328 SHOW 329 SINGLECHAR 330 SOURCE 331 SPECIAL 332
%token SUBROUTINE 333 SYSTEM 334 SYSTEMFONTSIZE 335 TEMPLATE 336 TIMEOUT 337 TOLOWER 338 TOUPPER 339
%token VERIFY_NODE 340 WAND 341 WEDGE 342 Z_LAST_TOKEN 343

%type <number> integer systemfontsize variable_ops_word math_operation_word verify_class_word
%type <number> output_dest_word modify_word node_name
%type <text> name key branch_name
%type <item> text variable verify_case_item input_channel
%type <items> copy_source copy_dest copy_branch display_source display_branch input_source
%type <items> input_channels input_special input_spec_params input_dest input_branch branch_list
%type <items> menu_source menu_branch math_source math_special math_dest math_branch
%type <items> modify_source modify_special modify_spec_params replace modify_dest modify_branch
%type <items> output_source output_dest output_branch verify_source verify_special
%type <items> verify_spec_params verify_equiv range verify_dest verify_branch frame_branch texts_3
%type <items> call_branch
%type <groups> copy_params display_params input_params menu_params math_params modify_params
%type <groups> output_params verify_params call_params
%type <declaration> declaration
%type <declarations> declarations declaration_block
%type <keys> keys
%type <node> node
%type <nodes> nodes
%type <frame> frame subroutine
%type <frames> frames

%start program

%%

program
    : portable language charsets systemfontsize declaration_block frames { acceptProgram(*state, $5, $6); }
    | portable language systemfontsize declaration_block frames          { acceptProgram(*state, $4, $5); }
    | declaration_block frames                                            { acceptProgram(*state, $1, $2); }
    ;
portable : PORTABLE LITERAL_TEXT { state->settings.modelText = $2; } ;
language : LANGUAGE LITERAL_TEXT { state->settings.languageIndex = languageIndexOf($2); } ;
charsets : charset | charset charsets ;
charset
    : CHARSET INTEGER LITERAL_TEXT { if (!addCharset(*state, $2, $3, @1.first_line)) YYABORT; }
    ;
systemfontsize : SYSTEMFONTSIZE INTEGER { $$ = $2; state->settings.fontSizeIndex = fontSizeIndexOf($2); } ;

declaration_block
    : DECLARATIONS LEFT_PAREN declarations RIGHT_PAREN
        { $$ = $3; state->messages.log("Syntax Checking of Declarations OK"); }
    ;
declarations
    : declaration                    { $$ = state->make<std::vector<Declaration*>>(); $$->push_back($1); }
    | declaration COMMA declarations { $$ = $3; $$->insert($$->begin(), $1); }
    ;
declaration
    : REGVAR name DOT integer   { $$ = makeDeclaration(*state, Declaration::Kind::Reg, $2, {$4}); }
    | REGVAR name               { $$ = makeDeclaration(*state, Declaration::Kind::Reg, $2, {}); }
    | FILEVAR name              { $$ = makeDeclaration(*state, Declaration::Kind::File, $2, {}); }
    | FIELD name DOT integer DOT integer DOT integer
                                { $$ = makeDeclaration(*state, Declaration::Kind::Field, $2, {$4, $6, $8}); }
    | FIELD name DOT integer DOT integer
                                { $$ = makeDeclaration(*state, Declaration::Kind::Field, $2, {$4, $6}); }
    | FIELD name DOT integer    { $$ = makeDeclaration(*state, Declaration::Kind::Field, $2, {$4}); }
    | TEMPLATE key LEFT_PAREN keys RIGHT_PAREN
        { $$ = makeDeclaration(*state, Declaration::Kind::Template, $2, {}); $$->keys = *$4; }
    ;
name : LITERAL_TEXT { $$ = $1; } ;
integer : INTEGER { $$ = $1; } ;
key : LITERAL_TEXT { $$ = $1; } ;
keys
    : key            { $$ = state->make<std::vector<std::string>>(); $$->push_back($1); }
    | key COMMA keys { $$ = $3; $$->insert($$->begin(), $1); }
    ;

frames
    : frame                       { $$ = state->make<std::vector<FrameDef*>>(); $$->push_back($1); }
    | subroutine                  { $$ = state->make<std::vector<FrameDef*>>(); $$->push_back($1); }
    | subroutine SEMICOLON frames { $$ = $3; $$->insert($$->begin(), $1); }
    | frame SEMICOLON frames      { $$ = $3; $$->insert($$->begin(), $1); }
    ;
frame
    : FRAME name LEFT_PAREN nodes RIGHT_PAREN { $$ = makeFrame(*state, false, $2, nullptr, false, $4); }
    | FRAME name LEFT_PAREN frame_branch RIGHT_PAREN { $$ = makeFrame(*state, false, $2, $4, false, nullptr); }
    | FRAME name LEFT_PAREN frame_branch nodes RIGHT_PAREN { $$ = makeFrame(*state, false, $2, $4, false, $5); }
    ;
subroutine
    : SUBROUTINE name LEFT_PAREN nodes RIGHT_PAREN { $$ = makeFrame(*state, true, $2, nullptr, false, $4); }
    | SUBROUTINE name LEFT_PAREN branch_list nodes RIGHT_PAREN { $$ = makeFrame(*state, true, $2, $4, true, $5); }
    | SUBROUTINE name LEFT_PAREN frame_branch RIGHT_PAREN { $$ = makeFrame(*state, true, $2, $4, false, nullptr); }
    | SUBROUTINE name LEFT_PAREN frame_branch nodes RIGHT_PAREN { $$ = makeFrame(*state, true, $2, $4, false, $5); }
    ;
frame_branch : BRANCH LEFT_PAREN branch_name RIGHT_PAREN { $$ = targets(*state, {$3}); } ;

nodes
    : node             { $$ = state->make<std::vector<NodeDef*>>(); $$->push_back($1); countNode(*state); }
    | node COMMA nodes { $$ = $3; $$->insert($$->begin(), $1); countNode(*state); }
    ;
node
    : COPY_NODE name LEFT_PAREN copy_params RIGHT_PAREN         { $$ = makeNode(*state, COPY_NODE, $2, $4); }
    | DISPLAY_NODE name LEFT_PAREN display_params RIGHT_PAREN   { $$ = makeNode(*state, DISPLAY_NODE, $2, $4); }
    | INPUT_NODE name LEFT_PAREN input_params RIGHT_PAREN       { $$ = makeNode(*state, INPUT_NODE, $2, $4); }
    | MENU_NODE name LEFT_PAREN menu_params RIGHT_PAREN         { $$ = makeNode(*state, MENU_NODE, $2, $4); }
    | MATH_NODE name LEFT_PAREN math_params RIGHT_PAREN         { $$ = makeNode(*state, MATH_NODE, $2, $4); }
    | MODIFIER_NODE name LEFT_PAREN modify_params RIGHT_PAREN   { $$ = makeNode(*state, MODIFIER_NODE, $2, $4); }
    | OUTPUT_NODE name LEFT_PAREN output_params RIGHT_PAREN     { $$ = makeNode(*state, OUTPUT_NODE, $2, $4); }
    | RETURN_NODE name LEFT_PAREN return_params RIGHT_PAREN     { $$ = makeNode(*state, RETURN_NODE, $2, nullptr); }
    | CALL_NODE name LEFT_PAREN call_params RIGHT_PAREN         { $$ = makeNode(*state, CALL_NODE, $2, $4); }
    | VERIFY_NODE name LEFT_PAREN verify_params RIGHT_PAREN     { $$ = makeNode(*state, VERIFY_NODE, $2, $4); }
    | frames { $$ = state->make<NodeDef>(); $$->nestedFrames = *$1; }
    ;

/* Parameters of each node kind; the lists hold only the groups that are written. */
copy_params : copy_source COMMA copy_special COMMA copy_dest COMMA copy_branch { $$ = groups(*state, {$1, $5, $7}); } ;
copy_source
    : SOURCE LEFT_PAREN text RIGHT_PAREN     { $$ = itemsOf(*state, {$3}); }
    | SOURCE LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    ;
text
    : LITERAL LITERAL_TEXT        { $$ = literalText(*state, $2); }
    | DISPLAYLITERAL LITERAL_TEXT { $$ = displayText(*state, $2); }
    | DISPLAYLITERAL LITERAL_TEXT LITERAL_TEXT { $$ = displayText(*state, $2); }
    | NOLITERAL                   { $$ = state->make<Item>(); $$->kind = Item::Kind::NoLiteral; }
    ;
variable
    : FILERECORDFIELD name DOT name DOT name DOT integer
        { $$ = variable(*state, Item::VarKind::FileRecordFieldReg, $2, $4, $6, $8, 0); }
    | FILERECORDFIELD name DOT FIRST DOT name DOT integer
        { $$ = variable(*state, Item::VarKind::FileRecordFieldSelector, $2, "", $6, $8, FIRST); }
    | FILERECORDFIELD name DOT LAST DOT name DOT integer
        { $$ = variable(*state, Item::VarKind::FileRecordFieldSelector, $2, "", $6, $8, LAST); }
    | FILERECORD name DOT FIRST  { $$ = variable(*state, Item::VarKind::FileRecordSelector, $2, "", "", 0, FIRST); }
    | FILERECORD name DOT LAST   { $$ = variable(*state, Item::VarKind::FileRecordSelector, $2, "", "", 0, LAST); }
    | FILERECORD name DOT name   { $$ = variable(*state, Item::VarKind::FileRecordReg, $2, $4, "", 0, 0); }
    | FILERECORD name DOT integer { $$ = variable(*state, Item::VarKind::FileRecordNumber, $2, "", "", $4, 0); }
    | REGFIELD name DOT key DOT integer { $$ = variable(*state, Item::VarKind::RegField, $2, $4, "", $6, 0); }
    | FILEVAR name               { $$ = variable(*state, Item::VarKind::File, $2, "", "", 0, 0); }
    | REGVAR name                { $$ = variable(*state, Item::VarKind::Reg, $2, "", "", 0, 0); }
    ;
copy_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
copy_dest
    : DESTINATION LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN
        { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    | DESTINATION LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    ;
variable_ops_word : APPEND { $$ = APPEND; } | ASCII { $$ = ASCII; } | INSERT { $$ = INSERT; } | OVERWRITE { $$ = OVERWRITE; } ;
copy_branch
    : BRANCH LEFT_PAREN branch_name COMMA branch_name RIGHT_PAREN { $$ = targets(*state, {$3, $5}); }
    | BRANCH LEFT_PAREN branch_name RIGHT_PAREN                   { $$ = targets(*state, {$3}); }
    ;
branch_name
    : FRAME name                              { $$ = frameTarget(*state, $2); }
    | SUBROUTINE name                         { $$ = frameTarget(*state, $2); }
    | node_name name                          { $$ = nodeTarget(*state, $1, $2); }
    | EXIT_NODE FRAME name                    { $$ = frameTarget(*state, $3); }
    | EXIT_NODE node_name name                { $$ = nodeTarget(*state, $2, $3); }
    | EXIT_NODE EXIT_NODE name node_name name { $$ = nodeTarget(*state, $4, $5); }
    | EXIT_NODE name node_name name           { $$ = nodeTarget(*state, $3, $4); }
    | EXIT_NODE name FRAME name               { $$ = frameTarget(*state, $4); }
    ;
node_name
    : COPY_NODE     { $$ = COPY_NODE; }
    | DISPLAY_NODE  { $$ = DISPLAY_NODE; }
    | INPUT_NODE    { $$ = INPUT_NODE; }
    | MENU_NODE     { $$ = MENU_NODE; }
    | MATH_NODE     { $$ = MATH_NODE; }
    | MODIFIER_NODE { $$ = MODIFIER_NODE; }
    | OUTPUT_NODE   { $$ = OUTPUT_NODE; }
    | RETURN_NODE   { $$ = RETURN_NODE; }
    | CALL_NODE     { $$ = CALL_NODE; }
    | VERIFY_NODE   { $$ = VERIFY_NODE; }
    ;

display_params : display_source COMMA display_special COMMA display_dest COMMA display_branch { $$ = groups(*state, {$1, $7}); } ;
texts_3 : text COMMA text COMMA text { $$ = itemsOf(*state, {$1, $3, $5}); } ;
display_source
    : SOURCE LEFT_PAREN texts_3 COMMA text COMMA text COMMA text RIGHT_PAREN { $$ = append(*state, $3, {$5, $7, $9}); }
    | SOURCE LEFT_PAREN texts_3 COMMA text COMMA text COMMA text COMMA text COMMA text RIGHT_PAREN
        { $$ = append(*state, $3, {$5, $7, $9, $11, $13}); }
    | SOURCE LEFT_PAREN texts_3 COMMA text RIGHT_PAREN { $$ = append(*state, $3, {$5}); }
    | SOURCE LEFT_PAREN texts_3 COMMA text COMMA text RIGHT_PAREN { $$ = append(*state, $3, {$5, $7}); }
    | SOURCE LEFT_PAREN texts_3 RIGHT_PAREN { $$ = $3; }
    ;
display_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
display_dest : DESTINATION LEFT_PAREN RIGHT_PAREN ;
display_branch : BRANCH LEFT_PAREN branch_name RIGHT_PAREN { $$ = targets(*state, {$3}); } ;

input_params : input_source COMMA input_special COMMA input_dest COMMA input_branch { $$ = groups(*state, {$1, $3, $5, $7}); } ;
input_source : SOURCE LEFT_PAREN input_channels RIGHT_PAREN { $$ = $3; } ;
input_channels
    : input_channel                    { $$ = itemsOf(*state, {$1}); }
    | input_channel BAR input_channels { $$ = $3; $$->insert($$->begin(), *$1); }
    ;
input_channel
    : FUNCTIONKEY { $$ = channelItem(*state, FUNCTIONKEY); }
    | KEYBOARD    { $$ = channelItem(*state, KEYBOARD); }
    | RADIO       { $$ = channelItem(*state, RADIO); }
    | SERIAL      { $$ = channelItem(*state, SERIAL); }
    | TIMEOUT LEFT_PAREN integer RIGHT_PAREN { $$ = timeoutItem(*state, $3); }
    | WAND        { $$ = channelItem(*state, WAND); }
    ;
input_special
    : SPECIAL LEFT_PAREN RIGHT_PAREN { $$ = itemsOf(*state, {}); }
    | SPECIAL LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    | SPECIAL LEFT_PAREN variable COMMA variable_ops_word COMMA SHOW LEFT_PAREN input_spec_params RIGHT_PAREN RIGHT_PAREN
        { $$ = append(*state, $9, {$3, switchItem(*state, $5)}); }
    | SPECIAL LEFT_PAREN SHOW LEFT_PAREN input_spec_params RIGHT_PAREN RIGHT_PAREN { $$ = $5; }
    ;
input_spec_params
    : ROW LEFT_PAREN integer RIGHT_PAREN COMMA COLUMN LEFT_PAREN integer RIGHT_PAREN COMMA CLEAR LEFT_PAREN integer RIGHT_PAREN
        { $$ = itemsOf(*state, {integerItem(*state, $3), integerItem(*state, $8), integerItem(*state, $13)}); }
    ;
input_dest
    : DESTINATION LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    | DESTINATION LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    ;
input_branch : BRANCH LEFT_PAREN branch_list RIGHT_PAREN { $$ = $3; } ;
branch_list
    : branch_name                   { $$ = targets(*state, {$1}); }
    | branch_name COMMA branch_list { $$ = $3; $$->insert($$->begin(), *targetItem(*state, $1)); }
    ;

menu_params : menu_source COMMA menu_special COMMA menu_dest COMMA menu_branch { $$ = groups(*state, {$1, $7}); } ;
menu_source
    : SOURCE LEFT_PAREN texts_3 COMMA text COMMA text COMMA text RIGHT_PAREN { $$ = append(*state, $3, {$5, $7, $9}); }
    | SOURCE LEFT_PAREN texts_3 COMMA text COMMA text COMMA text COMMA text COMMA text RIGHT_PAREN
        { $$ = append(*state, $3, {$5, $7, $9, $11, $13}); }
    | SOURCE LEFT_PAREN texts_3 COMMA text RIGHT_PAREN { $$ = append(*state, $3, {$5}); }
    | SOURCE LEFT_PAREN texts_3 RIGHT_PAREN { $$ = $3; }
    ;
menu_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
menu_dest : DESTINATION LEFT_PAREN RIGHT_PAREN ;
menu_branch : BRANCH LEFT_PAREN branch_list RIGHT_PAREN { $$ = $3; } ;

math_params : math_source COMMA math_special COMMA math_dest COMMA math_branch { $$ = groups(*state, {$1, $3, $5, $7}); } ;
math_source
    : SOURCE LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    | SOURCE LEFT_PAREN text RIGHT_PAREN     { $$ = itemsOf(*state, {$3}); }
    ;
math_special
    : SPECIAL LEFT_PAREN math_operation_word COMMA variable RIGHT_PAREN { $$ = itemsOf(*state, {$5, switchItem(*state, $3)}); }
    | SPECIAL LEFT_PAREN math_operation_word COMMA text RIGHT_PAREN     { $$ = itemsOf(*state, {$5, switchItem(*state, $3)}); }
    ;
math_operation_word : PLUS { $$ = PLUS; } | MINUS { $$ = MINUS; } | MULTIPLY { $$ = MULTIPLY; } | DIVIDE { $$ = DIVIDE; } | MOD { $$ = MOD; } ;
math_dest
    : DESTINATION LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    | DESTINATION LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    ;
math_branch : BRANCH LEFT_PAREN branch_list RIGHT_PAREN { $$ = $3; } ;

modify_params : modify_source COMMA modify_special COMMA modify_dest COMMA modify_branch { $$ = groups(*state, {$1, $3, $5, $7}); } ;
modify_source : SOURCE LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); } ;
modify_special : SPECIAL LEFT_PAREN modify_spec_params RIGHT_PAREN { $$ = $3; } ;
modify_spec_params
    : modify_word { $$ = itemsOf(*state, {switchItem(*state, $1)}); }
    | replace     { $$ = $1; }
    ;
modify_word : QOR_DELETE { $$ = QOR_DELETE; } | CLEAR8 { $$ = CLEAR8; } | REVERSE { $$ = REVERSE; } | TOLOWER { $$ = TOLOWER; } | TOUPPER { $$ = TOUPPER; } ;
replace
    : REPLACE LEFT_PAREN text COMMA text RIGHT_PAREN { $$ = itemsOf(*state, {$3, $5}); }
    | REPLACE LEFT_PAREN text COMMA text COMMA IGNORECASE RIGHT_PAREN { $$ = itemsOf(*state, {$3, $5, switchItem(*state, IGNORECASE)}); }
    ;
modify_dest
    : DESTINATION LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    | DESTINATION LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    ;
modify_branch : BRANCH LEFT_PAREN branch_name RIGHT_PAREN { $$ = targets(*state, {$3}); } ;

output_params : output_source COMMA output_special COMMA output_dest COMMA output_branch { $$ = groups(*state, {$1, $5, $7}); } ;
output_source
    : SOURCE LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    | SOURCE LEFT_PAREN text RIGHT_PAREN     { $$ = itemsOf(*state, {$3}); }
    ;
output_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
output_dest : DESTINATION LEFT_PAREN output_dest_word RIGHT_PAREN { $$ = itemsOf(*state, {channelItem(*state, $3)}); } ;
output_dest_word : RADIO { $$ = RADIO; } | SERIAL { $$ = SERIAL; } | SYSTEM { $$ = SYSTEM; } | DISPLAY { $$ = DISPLAY; } | WEDGE { $$ = WEDGE; } ;
output_branch : BRANCH LEFT_PAREN branch_name COMMA branch_name RIGHT_PAREN { $$ = targets(*state, {$3, $5}); } ;

return_params : return_source COMMA return_special COMMA return_dest COMMA return_branch ;
return_source : SOURCE LEFT_PAREN RIGHT_PAREN ;
return_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
return_dest : DESTINATION LEFT_PAREN RIGHT_PAREN ;
return_branch : BRANCH LEFT_PAREN RIGHT_PAREN ;

call_params : call_source COMMA call_special COMMA call_dest COMMA call_branch { $$ = groups(*state, {$7}); } ;
call_source : SOURCE LEFT_PAREN RIGHT_PAREN ;
call_special : SPECIAL LEFT_PAREN RIGHT_PAREN ;
call_dest : DESTINATION LEFT_PAREN RIGHT_PAREN ;
call_branch : BRANCH LEFT_PAREN branch_name COMMA branch_name RIGHT_PAREN { $$ = targets(*state, {$3, $5}); } ;

verify_params : verify_source COMMA verify_special COMMA verify_dest COMMA verify_branch { $$ = groups(*state, {$1, $3, $5, $7}); } ;
verify_source
    : SOURCE LEFT_PAREN variable RIGHT_PAREN { $$ = itemsOf(*state, {$3}); }
    | SOURCE LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    ;
verify_special : SPECIAL LEFT_PAREN verify_spec_params RIGHT_PAREN { $$ = $3; } ;
verify_spec_params
    : verify_class_word COMMA verify_equiv COMMA verify_case_item
        { $$ = itemsOf(*state, {switchItem(*state, $1)}); $$->insert($$->end(), $3->begin(), $3->end()); $$->push_back(*$5); }
    | verify_class_word COMMA verify_equiv
        { $$ = itemsOf(*state, {switchItem(*state, $1)}); $$->insert($$->end(), $3->begin(), $3->end()); }
    | verify_class_word { $$ = itemsOf(*state, {switchItem(*state, $1)}); }
    ;
verify_class_word : ALPHA { $$ = ALPHA; } | ASCII { $$ = ASCII; } | NUMERIC { $$ = NUMERIC; } ;
verify_equiv
    : text     { $$ = itemsOf(*state, {$1}); }
    | range    { $$ = $1; }
    | variable { $$ = itemsOf(*state, {$1}); }
    ;
range
    : RANGE LEFT_PAREN text COMMA text RIGHT_PAREN         { $$ = itemsOf(*state, {$3, $5}); }
    | RANGE LEFT_PAREN text COMMA variable RIGHT_PAREN     { $$ = itemsOf(*state, {$3, $5}); }
    | RANGE LEFT_PAREN variable COMMA text RIGHT_PAREN     { $$ = itemsOf(*state, {$3, $5}); }
    | RANGE LEFT_PAREN variable COMMA variable RIGHT_PAREN { $$ = itemsOf(*state, {$3, $5}); }
    ;
verify_case_item : IGNORECASE { $$ = switchItem(*state, IGNORECASE); } ;
verify_dest
    : DESTINATION LEFT_PAREN RIGHT_PAREN { $$ = itemsOf(*state, {}); }
    | DESTINATION LEFT_PAREN variable COMMA variable_ops_word RIGHT_PAREN { $$ = itemsOf(*state, {$3, switchItem(*state, $5)}); }
    ;
verify_branch : BRANCH LEFT_PAREN branch_name COMMA branch_name RIGHT_PAREN { $$ = targets(*state, {$3, $5}); } ;

%%
