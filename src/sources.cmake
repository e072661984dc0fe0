# Sources, listed per folder. The folders are layers: a folder includes only
# folders listed before it (render above the model, gui and app on top of
# everything).

set(VXCORE_SOURCES
    # texts
    texts/basic_numbers.cpp
    texts/basic_numbers.h
    texts/blanks.h
    texts/result.h
    texts/catalogue_data.cpp
    texts/catalogue_data.h
    texts/json_writer.cpp
    texts/json_writer.h
    texts/phrase.cpp
    texts/phrase.h
    texts/text_catalogue.cpp
    texts/text_catalogue.h
    # platform
    platform/platform.cpp
    platform/platform.h
    platform/silent_platform.cpp
    platform/silent_platform.h
    # document
    document/autosave.cpp
    document/autosave.h
    document/file_io.cpp
    document/file_io.h
    document/mts_import.cpp
    document/mts_import.h
    document/schedule_document.cpp
    document/schedule_document.h
    document/vfp_file.cpp
    document/vfp_file.h
    # help
    help/help_model.cpp
    help/help_model.h
    # commands
    commands/articles_signals.cpp
    commands/command_family.cpp
    commands/command_family.h
    commands/command_layouts.h
    commands/command_table.cpp
    commands/command_table.h
    commands/contacts.cpp
    commands/entry_geometry.cpp
    commands/entry_geometry.h
    commands/entry_state.cpp
    commands/entry_state.h
    commands/field_titles.cpp
    commands/field_titles.h
    commands/flow.cpp
    commands/input_mask.cpp
    commands/input_mask.h
    commands/line_syntax.cpp
    commands/line_syntax.h
    commands/line_block.h
    commands/listing_words.cpp
    commands/listing_words.h
    commands/locomotives.cpp
    commands/markers_counters.cpp
    commands/operand_rule.h
    commands/operand_rules.cpp
    commands/operand_rules.h
    commands/operating.cpp
    commands/parsed_command.cpp
    commands/parsed_command.h
    commands/rule_end.h
    commands/run_machine.cpp
    commands/run_machine.h
    commands/time.cpp
    # form
    form/entry_check.cpp
    form/entry_form.cpp
    form/entry_form.h
    form/interpret_field.cpp
    form/line_explanation.cpp
    form/line_explanation.h
    form/row_fetch.cpp
    # editing
    editing/editing_operations.h
    editing/row_history.cpp
    editing/row_history.h
    editing/row_operations.cpp
    editing/search_flow.cpp
    editing/search_replace.cpp
    editing/search_replace.h
    # print
    print/listing.cpp
    print/listing.h
    print/listing_text.cpp
    # layout
    layout/layout_findings.cpp
    layout/layout_findings.h
    layout/layout_index.cpp
    layout/layout_index.h
    layout/renumber.cpp
    layout/renumber.h
    layout/xref_listing.cpp
    layout/xref_listing.h
    # run
    run/dry_run.cpp
    run/dry_run.h
    run/run_text.cpp
    # editor
    editor/document_files.cpp
    editor/dry_run_session.cpp
    editor/dry_run_session.h
    editor/document_files.h
    editor/editor.cpp
    editor/editor.h
    editor/error_messages.cpp
    editor/error_messages.h
    editor/language_switch.cpp
    editor/layout_view.cpp
    editor/layout_view.h
    editor/language_switch.h
    editor/menu_model.cpp
    editor/menu_model.h
    editor/menu_table.cpp
    editor/menu_table.h
    editor/print_commands.cpp
    editor/print_commands.h
    editor/recent_schedules.cpp
    editor/recent_schedules.h
    editor/schedule_check.cpp
    editor/schedule_check.h
    editor/schedule_diagnostics.cpp
    editor/schedule_diagnostics.h
    # script
    script/scripted_platform.cpp
    script/scripted_platform.h
    script/scripted_printer.cpp
    script/scripted_printer.h
    script/user_driver.cpp
    script/user_driver.h
)

# Painting on QtGui alone: vxedit-cli stops here, below the windows.
set(VXRENDER_SOURCES
    render/cups_printer.cpp
    render/cups_printer.h
    render/listing_painter.cpp
    render/listing_painter.h
)

set(VXGUI_SOURCES
    gui/command_list_window.cpp
    gui/command_list_window.h
    gui/entry_area.cpp
    gui/entry_area.h
    gui/entry_layout.cpp
    gui/entry_layout.h
    gui/frm_info_window.cpp
    gui/frm_info_window.h
    gui/help_resolver.cpp
    gui/help_resolver.h
    gui/help_resources.cpp
    gui/help_resources.h
    gui/help_viewer_window.cpp
    gui/help_viewer_window.h
    gui/main_window.cpp
    gui/main_window.h
    gui/problems_pane.cpp
    gui/problems_pane.h
    gui/masked_field_window.cpp
    gui/masked_field_window.h
    gui/qt_platform.cpp
    gui/renumber_dialog.cpp
    gui/renumber_dialog.h
    gui/qt_platform.h
    gui/replace_window.cpp
    gui/replace_window.h
    gui/run_dock.cpp
    gui/run_dock.h
    gui/schedule_grid.cpp
    gui/schedule_grid.h
    gui/search_window.cpp
    gui/search_window.h
    gui/system_printer.cpp
    gui/system_printer.h
    gui/styled_message_window.cpp
    gui/styled_message_window.h
    gui/toolkit_translation.cpp
    gui/toolkit_translation.h
    gui/view_support.cpp
    gui/view_support.h
    gui/window_menus.cpp
    gui/window_menus.h
    gui/xref_dock.cpp
    gui/xref_dock.h
    help/help_pages.qrc
    app/resources/vxedit.qrc
)

set(VXCLI_SOURCES
    cli/cli.h
    cli/cli_check.cpp
    cli/cli_explain.cpp
    cli/cli_import.cpp
    cli/cli_listing.cpp
    cli/cli_script.cpp
    cli/cli_renumber.cpp
    cli/cli_run.cpp
    cli/cli_split.cpp
    cli/cli_xref.cpp
    cli/main.cpp
)
