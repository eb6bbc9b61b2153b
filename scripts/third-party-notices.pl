#!/usr/bin/perl
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the third-party notices of norvan.exe to standard output:
#   third-party-notices.pl <link trace> <build folder> <Qt source folder>
# The link trace is what ld --trace printed while linking norvan.exe: every
# input file the program's code comes from. Each one outside the build folder
# must match a line of packaging/windows-notices.txt, which names the notices
# it needs; the parts of Qt are described by the qt_attribution.json files of
# Qt's source. Fails, naming them, when some input has no notice.
use strict;
use warnings;
use Cwd qw(realpath);
use File::Basename qw(dirname);
use File::Find qw(find);
use JSON::PP;

my ($trace, $build, $qt_source) = @ARGV;
die "usage: $0 <link trace> <build folder> <Qt source folder>\n" unless defined $qt_source;
my $packaging = realpath(dirname(__FILE__) . '/../packaging');
$build = realpath($build);

sub slurp {
    my ($path) = @_;
    open my $in, '<:encoding(UTF-8)', $path or die "$path: $!\n";
    local $/;
    return scalar <$in>;
}

# [regex, [notice names]] for each line of the table, in order.
sub read_table {
    my @rules;
    for (split /\n/, slurp("$packaging/windows-notices.txt")) {
        next if /^\s*(#|$)/;
        my ($pattern, @notices) = split ' ';
        my $regex = join '.*', map { quotemeta } split /\*/, $pattern, -1;
        push @rules, [qr/^$regex$/, \@notices];
    }
    return @rules;
}

# The archives and objects of the link that do not come from the build folder.
sub linked_inputs {
    my %seen;
    for (split /\n/, slurp($trace)) {
        next unless m{^(/.+\.(?:a|o|obj))$};
        my $path = realpath($1) // $1;
        $seen{$path} = 1 unless index($path, "$build/") == 0;
    }
    return sort keys %seen;
}

# Qt's attribution entries by Id; some files hold one entry, some a list, and
# Qt writes line breaks inside their strings.
sub qt_attributions {
    my (%by_id, @files);
    find(sub { push @files, $File::Find::name if $_ eq 'qt_attribution.json' }, $qt_source);
    my $json = JSON::PP->new->loose->relaxed;
    for my $file (sort @files) {
        my $data = $json->decode(slurp($file));
        for my $entry (ref $data eq 'ARRAY' ? @$data : $data) {
            $entry->{Folder} = dirname($file);
            $by_id{$entry->{Id}} = $entry;
        }
    }
    return %by_id;
}

# The notice with the names of the inputs it covers below its first line.
sub with_inputs {
    my ($text, @inputs) = @_;
    my $names = join ', ', map { s{.*/}{}r } @inputs;
    $text =~ s/\n/\nIn norvan.exe through: $names\n/;
    $text =~ s/\s*$/\n\n/;
    return ('=' x 72) . "\n$text";
}

sub qt_notice {
    my $version = (slurp("$qt_source/.cmake.conf") =~ /QT_REPO_MODULE_VERSION "([^"]+)"/)[0];
    return "Qt $version (Debian's qt6-base source package)\n"
      . "Copyright (C) The Qt Company Ltd. and other contributors\n"
      . "License: LGPL-3.0-only (Qt is also available under GPL-2.0 or GPL-3.0)\n"
      . "The GNU General Public License version 3, which the LGPL refers to, is in LICENSE.txt.\n\n"
      . slurp("$qt_source/LICENSES/LGPL-3.0-only.txt");
}

sub attribution_notice {
    my ($entry) = @_;
    my $text = "$entry->{Name}" . ($entry->{Version} ? " $entry->{Version}" : '') . ", part of Qt\n";
    $text .= "$entry->{Copyright}\n" if $entry->{Copyright};
    my $license = join ' ', grep { $_ } $entry->{License}, $entry->{LicenseId} && "($entry->{LicenseId})";
    $text .= "License: $license\n\n";
    $text .= slurp("$entry->{Folder}/$entry->{LicenseFile}") if $entry->{LicenseFile};
    return $text;
}

my @rules = read_table();
my %attributions = qt_attributions();
my (@order, %archives_of, @unmatched);
for my $input (linked_inputs()) {
    my ($rule) = grep { $input =~ $_->[0] } @rules;
    unless ($rule) {
        push @unmatched, $input;
        next;
    }
    for my $notice (@{ $rule->[1] }) {
        push @order, $notice unless $archives_of{$notice};
        push @{ $archives_of{$notice} }, $input;
    }
}
die "no notice for what the link of norvan.exe uses:\n" . join('', map { "  $_\n" } @unmatched)
  . "add a line for it to packaging/windows-notices.txt\n"
  if @unmatched;

binmode STDOUT, ':encoding(UTF-8)';
for my $notice (sort { ($a ne 'qt') <=> ($b ne 'qt') } @order) {
    my $text;
    if ($notice eq 'qt') {
        $text = qt_notice();
    } elsif ($notice =~ /^qt:(.*)/) {
        my $entry = $attributions{$1} or die "no qt_attribution.json in Qt's source has the Id $1\n";
        $text = attribution_notice($entry);
    } else {
        $text = slurp("$packaging/notices/$notice.txt");
    }
    print with_inputs($text, @{ $archives_of{$notice} });
}
