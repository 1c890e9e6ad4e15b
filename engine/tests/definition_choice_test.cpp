#include "engine/definition_choice.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/text/codepage.h"

namespace {

struct Case {
    const char16_t* fileName;
    const char16_t* text;
    const char16_t* chosen;
};

// A folder without txt.hlx for CMakeLists.txt, and without dockerfile.hlx.
const std::set<std::u16string> kPresent{u"asp.hlx", u"bashrc.hlx", u"c.hlx",    u"cmake.hlx", u"cpp.hlx",
                                        u"ini.hlx", u"js.hlx",     u"lua.hlx",  u"makefile.hlx", u"pl.hlx",
                                        u"py.hlx",  u"rb.hlx",     u"sh.hlx",   u"tcl.hlx",   u"xml.hlx",
                                        u"nginx.hlx", u"apache.hlx", u"m.hlx", u"hs.hlx"};
const std::set<std::u16string> kWithText = [] {
    std::set<std::u16string> present = kPresent;
    present.insert(u"txt.hlx");
    return present;
}();

void ExpectChoices(const std::set<std::u16string>& present, std::initializer_list<Case> cases) {
    auto isPresent = [&present](const std::u16string& name) { return present.contains(name); };
    for (const Case& c : cases) {
        auto firstLine = [&c] { return std::u16string(engine::FirstLine(c.text)); };
        EXPECT_EQ(engine::ChooseDefinition(c.fileName, firstLine, isPresent), c.chosen)
            << text::TextToAnsi(c.fileName) << ": " << text::TextToAnsi(c.text);
    }
}

TEST(ChooseDefinition, ByExtensionThenFileNameThenFirstLine) {
    ExpectChoices(kWithText, {
        // The extension wins whenever its file is there.
        {u"notes.txt", u"#!/bin/sh\necho", u"txt.hlx"},
        {u"/src/Main.C", u"#!/usr/bin/python3", u"c.hlx"},
        {u"page.HTML", u"<?xml version=\"1.0\"?>", u"asp.hlx"},
        {u"/home/u/.bashrc", u"", u"bashrc.hlx"},
        {u"CMakeLists.txt", u"project(x)", u"txt.hlx"},
        // File names.
        {u"/src/Makefile", u"all:", u"makefile.hlx"},
        {u"GNUmakefile", u"", u"makefile.hlx"},
        {u"makefile", u"", u"makefile.hlx"},
        {u"Makefile.am", u"", u"makefile.hlx"},
        {u"Gemfile", u"source 'https://rubygems.org'", u"rb.hlx"},
        {u"Rakefile", u"", u"rb.hlx"},
        {u"/home/u/.profile", u"", u"sh.hlx"},
        {u".bash_profile", u"", u"sh.hlx"},
        {u".gitconfig", u"[user]", u"ini.hlx"},
        {u"/etc/nginx/nginx.conf", u"user www-data;", u"nginx.hlx"},
        {u"apache2.conf", u"", u"apache.hlx"},
        {u"site.conf", u"<VirtualHost *:80>", u"conf.hlx"},
        // A name without its definition goes on to the first line, then to the extension's
        // choice, which fails to load as before.
        {u"Dockerfile", u"FROM debian:12", u".hlx"},
        {u"Dockerfile", u"# vim: set ft=sh:", u"sh.hlx"},
        // Interpreters, also through env, with options and versions.
        {u"run", u"#!/bin/bash -e\nset -u", u"sh.hlx"},
        {u"run", u"#! /bin/sh", u"sh.hlx"},
        {u"run", u"#!/bin/dash", u"sh.hlx"},
        {u"tool", u"#!/usr/bin/env -S python3 -u", u"py.hlx"},
        {u"tool", u"#!/usr/bin/env -S PYTHONPATH=. python3.11 -u", u"py.hlx"},
        {u"tool", u"#!/usr/bin/python3.11", u"py.hlx"},
        {u"tool", u"#!/usr/bin/env perl\r\nuse strict;", u"pl.hlx"},
        {u"tool", u"#!/usr/bin/ruby3.1 -w", u"rb.hlx"},
        {u"tool", u"#!/usr/bin/env node", u"js.hlx"},
        {u"tool", u"#!/usr/bin/lua5.4", u"lua.hlx"},
        {u"tool", u"#!/usr/bin/tclsh8.6", u"tcl.hlx"},
        {u"tool", u"#!/usr/bin/make -f", u"makefile.hlx"},
        {u"tool.cgi", u"\uFEFF#!/usr/bin/perl", u"pl.hlx"},
        {u"plot", u"#!/usr/bin/octave-cli -qf", u"m.hlx"},
        {u"main", u"#!/usr/bin/env runghc", u"hs.hlx"},
        // Modes written down by the author, before the interpreter.
        {u"config", u"# -*- mode: ruby -*-", u"rb.hlx"},
        {u"config", u"# -*- Mode: Python; coding: utf-8 -*-", u"py.hlx"},
        {u"lib", u"// -*- C++ -*-", u"cpp.hlx"},
        {u"tool", u"#!/bin/sh -*- tcl -*-", u"tcl.hlx"},
        {u"setup", u"# vim: set filetype=sh :", u"sh.hlx"},
        {u"setup", u"# vi: ft=perl", u"pl.hlx"},
        {u"setup", u"see vim:ft=sh", u"sh.hlx"},
        // Markup.
        {u"feed", u"<?xml version=\"1.0\"?>", u"xml.hlx"},
        {u"index", u"<!DOCTYPE html>", u"asp.hlx"},
        {u"index", u"  <html lang=\"en\">", u"asp.hlx"},
        // Nothing to go by, or nothing to be trusted.
        {u"README", u"Lumivar turns a source file into HTML", u".hlx"},
        {u"README", u"", u".hlx"},
        {u"data", u"# -*- coding: utf-8 -*-", u".hlx"},
        {u"notes", u"a movim: ft=sh", u".hlx"},
        {u"prog", u"\x7F" u"ELF\x02\x01\x01", u".hlx"},
        {u"prog", u"#!/usr/bin/python\x01\x02", u".hlx"},
        {u"tool", u"#!/usr/bin/env", u".hlx"},
        {u"tool", u"#!/opt/bin/../x.hlx", u".hlx"},
        {u"tool", u"#!/usr/bin/cobc", u".hlx"},
    });
}

TEST(ChooseDefinition, FileNameWhereTheExtensionHasNoDefinition) {
    ExpectChoices(kPresent, {
        {u"CMakeLists.txt", u"project(x)", u"cmake.hlx"},
        {u"notes.txt", u"#!/bin/sh", u"sh.hlx"},
    });
}

TEST(DefinitionOfStem, MapsLikeTheExtension) {
    EXPECT_EQ(engine::DefinitionOfStem(u"py"), u"py.hlx");
    EXPECT_EQ(engine::DefinitionOfStem(u"HTML"), u"asp.hlx");
}

}  // namespace
